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

# Medians of a whole run (exec to exit), in microseconds: wall time, then the
# CPU time (user + system) the program took. Under load the wall time swells
# with the waits for a core; the CPU time stays nearer to the work done.
median_run() {
  local times=() cpus=()
  "$@" >/dev/null 2>&1 || true  # warm the caches
  for _ in $(seq "$runs"); do
    local s e
    s=$(date +%s%N)
    /usr/bin/time -f "%U %S" -o "$work/cpu" "$@" >/dev/null 2>&1 || true
    e=$(date +%s%N)
    times+=($(((e - s) / 1000)))
    cpus+=("$(awk '{ printf "%d", ($1 + $2) * 1000000 }' "$work/cpu")")
  done
  local mid=$(((runs + 1) / 2))
  echo "$(printf '%s\n' "${times[@]}" | sort -n | sed -n "${mid}p")" \
    "$(printf '%s\n' "${cpus[@]}" | sort -n | sed -n "${mid}p")"
}

peak_mib() { /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1 | awk '{ print int($1 / 1024) }'; }

# Prints one row; bare is "wall cpu" of the bare window (empty for itself).
report() {
  local name="$1" bare="$2"
  shift 2
  local got
  got=$(median_run "$@")
  awk -v n="$name" -v got="$got" -v bare="$bare" -v m="$(peak_mib "$@")" 'BEGIN {
    split(got, g, " "); split(bare, b, " ")
    printf "%-36s %7.1f ms", n, g[1] / 1000
    if (b[1] > 0) printf " = %.2f x the bare window", g[1] / b[1]
    printf ", CPU %6.1f ms", g[2] / 1000
    if (b[2] > 0) printf " = %.2f x", g[2] / b[2]
    printf ", peak resident %d MiB\n", m }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); medians of $runs runs, exec to exit"
bare=$(median_run "$work/bare")
printf '%-36s %7.1f ms, CPU %6.1f ms, peak resident %d MiB\n' "bare SDL window painted once" \
  "$(awk -v t="${bare% *}" 'BEGIN { print t / 1000 }')" \
  "$(awk -v t="${bare#* }" 'BEGIN { print t / 1000 }')" "$(peak_mib "$work/bare")"
for p in "$prog" ${other:+"$other"}; do
  echo "$p"
  report "  start to waiting on the menu" "$bare" \
    "$(private_copy "$p")" --script "$work/empty.txt" --out "$work"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
