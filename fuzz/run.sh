#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each
# for N seconds on its seed folders; N = 0 only replays the seeds once (the
# regression run CI makes). New findings go to fuzz/corpus/TARGET/.
#   bash fuzz/run.sh 300
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${QS_FUZZ_BUILD:-build-fuzz}
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
make -C "$build" -j2 image_fuzz metafile_fuzz notation_fuzz >/dev/null

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
