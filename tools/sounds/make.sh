#!/bin/sh
# Rebuilds every exercise sound in data/wavs/.
# Needs: python3 with numpy (Debian python3-numpy), espeak-ng (German voice);
# sox only for checking the results (tools/sounds/check.sh).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
PY=${PYTHON:-/usr/bin/python3}
cd "$here"
"$PY" make_sounds.py "$root"
