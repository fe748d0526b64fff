#!/bin/sh
# Rebuilds every exercise picture in data/bitplane/ and tools/pictures/contact-sheet.png.
# Needs: python3 with PIL (Debian python3-pil), rsvg-convert (librsvg2-bin), inkscape,
# fonts-dejavu-core (labels of the contact sheet).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
PY=${PYTHON:-/usr/bin/python3}
cd "$here"
"$PY" make_pictures.py "$root"
