#!/usr/bin/env bash
# What waiting costs: CPU (% of one core) and wake-ups per second of the
# real program in its window over SECONDS (default 20) s, on the main menu
# and in Wortvergleich waiting for J or N (the letters blinking), side by
# side with a bare SDL program that paints its window once and then waits
# in SDL_WaitEvent, which this script builds itself. The X server's CPU in
# the same time is shown beside each. Runs under Xvfb at 1920x1080; pass the
# program as $1 (default build/app/quendelstrand), and another build of it as
# $2 to measure both in the same run.
set -euo pipefail
prog="$(realpath "${1:-build/app/quendelstrand}")"
other="${2:+$(realpath "$2")}"
seconds="${SECONDS_MEASURED:-20}"
settle="${SETTLE:-4}"

if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$prog" ${other:+"$other"}
fi

work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=bench/common.sh
source "$(dirname "$0")/common.sh"
build_bare -DWAIT_FOR_EVENTS

# Scripts that lead the program to the place to measure and then hold it
# there far longer than the measurement lasts.
printf 'key RET\nwait 3600000\n' >"$work/menu.txt"
printf 'key RET\nkey RET\nkey 1\nuntil Leertaste\nkey SPACE\nwait 1500\nwait 3600000\n' \
  >"$work/game.txt"

xserver_pid() {
  local n="${DISPLAY#:}"
  n="${n%%.*}"
  ps -eo pid=,args= | awk -v d=":$n" '$2 ~ /Xvfb$/ && $3 == d { print $1; exit }'
}

# utime + stime of a process (all its threads), in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# Context switches of all threads of a process: each one is a wake-up.
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

hz=$(getconf CLK_TCK)
xpid=$(xserver_pid || true)

measure() {
  local name="$1"
  shift
  "$@" >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  sleep "$settle"
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "$name: the program ended before the measurement"
    return
  fi
  local t0 s0 x0=0 t1 s1 x1=0
  t0=$(ticks "$pid")
  s0=$(switches "$pid")
  [[ -n "$xpid" ]] && x0=$(ticks "$xpid")
  sleep "$seconds"
  t1=$(ticks "$pid")
  s1=$(switches "$pid")
  [[ -n "$xpid" ]] && x1=$(ticks "$xpid")
  # The trainer answers a polite close with a question of its own.
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  awk -v n="$name" -v t=$((t1 - t0)) -v s=$((s1 - s0)) -v x=$((x1 - x0)) -v hz="$hz" \
    -v sec="$seconds" 'BEGIN {
      printf "%-34s CPU %6.2f %%   wake-ups %7.1f /s   X server CPU %6.2f %%\n",
             n, 100 * t / hz / sec, s / sec, 100 * x / hz / sec }'
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
measure "bare SDL_WaitEvent window" "$work/bare"
for p in "$prog" ${other:+"$other"}; do
  echo "$p"
  copy="$(private_copy "$p")"
  measure "  trainer waiting on the menu" "$copy" --script "$work/menu.txt" --out "$work"
  measure "  Wortvergleich waiting for J/N" "$copy" --script "$work/game.txt" --out "$work"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
