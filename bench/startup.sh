#!/usr/bin/env bash
# Start-up cost of the real program in a window: from exec to the title
# screen drawn and the program waiting for its first key (an empty script
# ends the run there), and the peak resident memory. Runs under Xvfb at
# 1920x1080; pass the program as $1 (default build/app/quendelstrand).
set -euo pipefail
prog="${1:-build/app/quendelstrand}"
runs="${RUNS:-11}"
script="$(mktemp)"
trap 'rm -f "$script"' EXIT
measure() {
  local times=() rss
  "$prog" --script "$script" >/dev/null 2>&1  # warm the caches
  for _ in $(seq "$runs"); do
    local s e
    s=$(date +%s%N)
    "$prog" --script "$script" >/dev/null 2>&1
    e=$(date +%s%N)
    times+=($(( (e - s) / 1000 )))
  done
  rss=$(/usr/bin/time -f "%M" "$prog" --script "$script" 2>&1 >/dev/null | tail -1)
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  echo "start to waiting on the title screen (median of $runs, whole run incl. exit): $((median / 1000)).$(( (median % 1000) / 100 )) ms"
  echo "peak resident memory: $((rss / 1024)) MiB"
}
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$prog"
fi
measure
