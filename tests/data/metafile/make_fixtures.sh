#!/bin/sh
# Regenerates the metafile test pictures from the SVG drawings in src/ with
# two independent writers: Inkscape (EMF and WMF) and LibreOffice Draw (EMF
# and WMF). Needs the Debian packages inkscape and libreoffice-draw.
# The reference renderings in ref/ are then rewritten by running the tests
# with QS_UPDATE_REFERENCES=1 (look at them before committing!).
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for svg in src/*.svg; do
    name=$(basename "$svg" .svg)
    inkscape "$svg" --export-type=emf --export-filename="inkscape-$name.emf" >/dev/null 2>&1
    inkscape "$svg" --export-type=wmf --export-filename="inkscape-$name.wmf" >/dev/null 2>&1
    for fmt in emf wmf; do
        HOME="$work" soffice --headless --norestore --convert-to "$fmt" --outdir "$work" "$svg" \
            >/dev/null 2>&1
        mv "$work/$name.$fmt" "libreoffice-$name.$fmt"
    done
done
