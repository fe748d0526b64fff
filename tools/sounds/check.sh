#!/bin/sh
# Prints format, length and peak level of every sound in data/wavs/ (needs sox).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../../data/wavs"
printf '%-26s %6s %4s %4s %8s %9s %8s\n' file rate bits ch seconds peak_dBFS rms_dB
for f in *.wav; do
    rate=$(sox --i -r "$f"); bits=$(sox --i -b "$f"); ch=$(sox --i -c "$f")
    enc=$(sox --i -e "$f")
    len=$(sox --i -D "$f")
    stat=$(sox "$f" -n stat 2>&1)
    peak=$(echo "$stat" | awk '/Maximum amplitude/ {mx=$3} /Minimum amplitude/ {mn=-$3}
        END {p = mx > mn ? mx : mn; printf "%.1f", 20*log(p)/log(10)}')
    rms=$(echo "$stat" | awk '/RMS     amplitude/ {printf "%.1f", 20*log($3)/log(10)}')
    case "$enc" in "Signed Integer PCM") ;; *) echo "$f: not PCM ($enc)"; exit 1 ;; esac
    printf '%-26s %6s %4s %4s %8.3f %9s %8s\n' "$f" "$rate" "$bits" "$ch" "$len" "$peak" "$rms"
done
