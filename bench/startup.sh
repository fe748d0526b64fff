#!/usr/bin/env bash
# Start-up cost of the real program in a window: from exec to the main menu
# drawn and the program waiting for its first key (an empty script ends the
# run there), side by side with a bare SDL program that opens the same
# window, paints it once and ends, which this script builds itself; and the
# peak resident memory of both. Runs under Xvfb at 1920x1080; pass the
# program as $1 (default build/app/quendelstrand), and another build of it as
# $2 to measure both in the same run.
set -euo pipefail
prog="$(realpath "${1:-build/app/quendelstrand}")"
other="${2:+$(realpath "$2")}"
runs="${RUNS:-11}"

if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$prog" ${other:+"$other"}
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
: >"$work/empty.txt"
# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
build_bare

# Median wall time of a whole run (exec to exit) in microseconds.
median_run() {
  local times=()
  "$@" >/dev/null 2>&1 || true  # warm the caches
  for _ in $(seq "$runs"); do
    local s e
    s=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    e=$(date +%s%N)
    times+=($(((e - s) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p"
}

peak_mib() { /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1 | awk '{ print int($1 / 1024) }'; }

report() {
  local name="$1" base="$2"
  shift 2
  local us
  us=$(median_run "$@")
  awk -v n="$name" -v us="$us" -v b="$base" -v m="$(peak_mib "$@")" 'BEGIN {
    printf "%-36s %7.1f ms", n, us / 1000
    if (b > 0) printf "  = %.2f x the bare window", us / b
    printf "   peak resident %d MiB\n", m }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); medians of $runs runs, exec to exit"
bare_us=$(median_run "$work/bare")
report "bare SDL window painted once" 0 "$work/bare"
for p in "$prog" ${other:+"$other"}; do
  echo "$p"
  report "  start to waiting on the menu" "$bare_us" \
    "$(private_copy "$p")" --script "$work/empty.txt" --out "$work"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
