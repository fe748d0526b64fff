#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each
# for N seconds on its seed folders; N = 0 only replays the seeds once (the
# regression run CI makes). New findings go to fuzz/corpus/TARGET/, whose
# hand-made seeds fuzz/make-seeds.py writes.
#   bash fuzz/run.sh 300
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${QS_FUZZ_BUILD:-build-fuzz}
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
targets=(image_fuzz metafile_fuzz notation_fuzz options_fuzz mousetext_fuzz printerfile_fuzz
    script_fuzz settings_fuzz)
make -C "$build" -j2 "${targets[@]}" >/dev/null

# fontconfig keeps a little memory for the whole process (the font engine
# of the targets that make a screen); the suppressions cover it.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

run() {
    local target=$1
    shift
    mkdir -p "fuzz/corpus/$target"
    if [ "$seconds" = 0 ]; then
        "$build/$target" -runs=0 "fuzz/corpus/$target" "$@"
    else
        "$build/$target" -max_total_time="$seconds" -print_final_stats=1 \
            "fuzz/corpus/$target" "$@"
    fi
}

run image_fuzz -max_len=65536 tests/data/image
run metafile_fuzz tests/data/metafile data/emfs
run notation_fuzz data/LS1DAT
run options_fuzz
run mousetext_fuzz data/maustxt
run printerfile_fuzz tests/data/print
run script_fuzz
run settings_fuzz
