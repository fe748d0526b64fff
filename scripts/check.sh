#!/usr/bin/env bash
# The checks CI makes beside the tests (run from anywhere; needs clang-format
# and python3, which scripts/setup.sh --tests installs):
#   - the C++ files are formatted as .clang-format says;
#   - every source and header includes what it uses (needs a configured
#     build folder, default build/);
#   - the house rules a machine can see (below);
#   - the data generators' check modes: the committed word lists, mouse texts
#     glyph pictures and icons are what their generators make.
# Prints what is wrong and exits with 1 when anything is.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
failed=0
fail() {
    echo "check: $*" >&2
    failed=1
}

mapfile -t cxx < <(git ls-files '*.cpp' '*.h')

echo "== format"
clang-format --dry-run -Werror "${cxx[@]}" || fail "files not formatted: run clang-format -i on them"

echo "== includes"
python3 scripts/check-includes.py "$build" || fail "files that do not include what they use"

echo "== house rules"
# A restart after a resize unwinds the trainer with RestartUnwind, a used-up
# script with ScriptFinished; neither is a std::exception. Code that runs
# inside the trainer (the trainer screens and the games) must let both pass,
# so it never catches everything.
if git grep -n -E 'catch *\( *\.\.\. *\)' -- src/trainer src/exercises; then
    fail "catch (...) in trainer or game code would swallow the restart after a resize"
fi
if git grep -n -E 'struct (RestartUnwind|ScriptFinished) *:|class (RestartUnwind|ScriptFinished) *:' -- src; then
    fail "RestartUnwind and ScriptFinished must not derive from anything a handler catches"
fi

echo "== generators"
python3 tools/wordlists/make.py --check || fail "data/LS1DAT differs from tools/wordlists"
python3 tools/maustxt/make_all.py --check || fail "data/maustxt differs from tools/maustxt"
python3 tools/icon/make_icon.py --check || fail "packaging/icons differs from tools/icon/make_icon.py"
glyphs=$(mktemp -d)
trap 'rm -rf "$glyphs"' EXIT
python3 tools/glyphs/make_glyphs.py "$glyphs" >/dev/null && diff -r -q "$glyphs" data/emfs ||
    fail "data/emfs differs from tools/glyphs/make_glyphs.py"

if ((failed)); then
    echo "check: FAILED" >&2
    exit 1
fi
echo "check: all good"
