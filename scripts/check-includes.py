#!/usr/bin/env python3
"""Checks that every file includes what it uses.

The core's sources are compiled with base/Forbidden.h forced in front, and
that header pulls in much of the standard library; a file that forgets
<algorithm> still builds there. This check compiles, syntax only and with
the build's own flags:
  - every source of src/ without the forced header;
  - every header of src/ and tests/ on its own (a file holding just its
    #include), with the flags of a source beside it;
and it looks for names of <algorithm> in files that do not include it.
Usage: check-includes.py BUILD_DIR   (a configured build with
compile_commands.json). Prints each file that fails with the compiler's
first lines and exits with 1.
"""

import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))


def load_commands(build_dir):
    with open(os.path.join(build_dir, "compile_commands.json")) as f:
        entries = json.load(f)
    commands = {}
    for e in entries:
        args = e.get("arguments") or shlex.split(e["command"])
        commands[os.path.normpath(e["file"])] = (e["directory"], args)
    return commands


def syntax_only(args):
    """The compile arguments without output, object file and forced header."""
    out = []
    skip = False
    for i, a in enumerate(args):
        if skip:
            skip = False
            continue
        if a in ("-o", "-include", "-MF", "-MT", "-MQ"):
            skip = True
            continue
        if a in ("-c", "-MD", "-MMD"):
            continue
        out.append(a)
    return out


def check_source(directory, args, path):
    cmd = [a for a in syntax_only(args) if os.path.normpath(os.path.join(directory, a)) != path]
    return run(cmd + ["-fsyntax-only", path], directory, None)


def check_header(directory, args, source, header):
    cmd = [a for a in syntax_only(args) if os.path.normpath(os.path.join(directory, a)) != source]
    stub = f'#include "{header}"\n'
    return run(cmd + ["-fsyntax-only", "-x", "c++", "-"], directory, stub)


def run(cmd, directory, stdin):
    p = subprocess.run(cmd, cwd=directory, input=stdin, capture_output=True, text=True)
    return p.returncode, p.stderr


def nearest_source(header, sources):
    """A compiled source in the header's folder or the nearest folder above
    it within the same tree."""
    folder = os.path.dirname(header)
    while folder.startswith(ROOT):
        here = sorted(s for s in sources if os.path.dirname(s) == folder)
        if here:
            return here[0]
        below = sorted(s for s in sources if s.startswith(folder + os.sep))
        if below:
            return below[0]
        folder = os.path.dirname(folder)
    return None


def tracked(pattern_dirs, suffixes):
    files = subprocess.run(["git", "ls-files", *pattern_dirs], cwd=ROOT, capture_output=True,
                           text=True, check=True).stdout.split()
    return [os.path.join(ROOT, f) for f in files if f.endswith(suffixes)]


# Names of <algorithm>: a file that uses one includes <algorithm> itself,
# even where another standard header happens to bring it along (std::max
# comes with <string> in this library, std::clamp does not).
ALGORITHM_NAMES = re.compile(
    r"\bstd::(clamp|max|min|minmax|sort|stable_sort|find|find_if|find_if_not|count|count_if|"
    r"any_of|all_of|none_of|fill|fill_n|copy|copy_if|copy_n|reverse|min_element|max_element|"
    r"remove|remove_if|transform|equal|lower_bound|upper_bound|unique|replace|search|"
    r"mismatch|rotate|for_each|binary_search|is_sorted|partition|nth_element)\b")


def missing_algorithm(path):
    with open(path, encoding="latin-1") as f:
        text = f.read()
    return ALGORITHM_NAMES.search(text) is not None and "#include <algorithm>" not in text


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    commands = load_commands(sys.argv[1])
    sources = [s for s in tracked(["src"], (".cpp",)) if s in commands]
    headers = tracked(["src", "tests"], (".h",))
    compiled = list(commands)
    jobs = []
    with concurrent.futures.ThreadPoolExecutor(os.cpu_count() or 2) as pool:
        for s in sources:
            directory, args = commands[s]
            jobs.append((s, pool.submit(check_source, directory, args, s)))
        for h in headers:
            source = nearest_source(h, compiled)
            if source is None:
                print(f"{os.path.relpath(h, ROOT)}: no compiled source near it to take flags from")
                continue
            directory, args = commands[source]
            jobs.append((h, pool.submit(check_header, directory, args, source, h)))
        failed = 0
        for path in sources + headers:
            if missing_algorithm(path):
                failed += 1
                print(f"--- {os.path.relpath(path, ROOT)} uses a name of <algorithm> "
                      "without including it")
        for path, job in jobs:
            code, err = job.result()
            if code != 0:
                failed += 1
                print(f"--- {os.path.relpath(path, ROOT)} does not compile on its own:")
                print("\n".join(err.splitlines()[:8]))
    total = len(jobs)
    print(f"include check: {total - failed} of {total} files include what they use")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
