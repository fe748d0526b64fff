#!/bin/sh
# Writes the program's four fonts into data/bgi7 from free fonts of Debian
# packages, with their licences and a README naming the sources.
#
#   qxdos.ttf        Andika Regular (fonts-sil-andika), unchanged: the main
#                    face of the exercises, designed for children who learn to read
#   qxdosva.TTF      Andika New Basic Regular (fonts-sil-andikanewbasic) renamed to
#                    "QX DOS VA", the face name the program looks for; "Andika"
#                    and "SIL" are Reserved Font Names, so the copy carries neither
#   qxmathe.TTF      DejaVu Sans (fonts-dejavu-core), unchanged: plain digits
#                    and every arithmetic sign
#   lueckentext.TTF  Andika New Basic Regular (fonts-sil-andikanewbasic),
#                    unchanged: a clear face for the gap texts
#
# Needs those packages and python3-fonttools (Debian's python3).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../data/bgi7"
python=${PYTHON:-/usr/bin/python3}
mkdir -p "$out"

andika=/usr/share/fonts/truetype/andika/Andika-Regular.ttf
newbasic=/usr/share/fonts/truetype/andikanewbasic/AndikaNewBasic-R.ttf
dejavu=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

cp "$andika" "$out/qxdos.ttf"
"$python" "$here/rename_font.py" "$newbasic" "$out/qxdosva.TTF" "QX DOS VA" Andika SIL
cp "$dejavu" "$out/qxmathe.TTF"
cp "$newbasic" "$out/lueckentext.TTF"

cp /usr/share/doc/fonts-sil-andika/copyright "$out/LICENSE-Andika.txt"
cp /usr/share/doc/fonts-sil-andikanewbasic/copyright "$out/LICENSE-AndikaNewBasic.txt"
cp /usr/share/doc/fonts-dejavu-core/copyright "$out/LICENSE-DejaVu.txt"

version() { dpkg-query -W -f '${Version}' "$1"; }
cat > "$out/README" <<END
Fonts of the program (written by tools/fonts/make.sh)

qxdos.ttf        Andika Regular, unchanged.
                 Debian package fonts-sil-andika $(version fonts-sil-andika);
                 SIL Open Font License 1.1, see LICENSE-Andika.txt.
qxdosva.TTF      Andika New Basic Regular, renamed to the family "QX DOS VA"
                 (the names Andika and SIL are Reserved Font Names and were
                 removed from the font's names; nothing else was changed).
                 Debian package fonts-sil-andikanewbasic $(version fonts-sil-andikanewbasic);
                 SIL Open Font License 1.1, see LICENSE-AndikaNewBasic.txt.
qxmathe.TTF      DejaVu Sans, unchanged.
                 Debian package fonts-dejavu-core $(version fonts-dejavu-core);
                 Bitstream Vera / DejaVu licence, see LICENSE-DejaVu.txt.
lueckentext.TTF  Andika New Basic Regular, unchanged.
                 Debian package fonts-sil-andikanewbasic $(version fonts-sil-andikanewbasic);
                 SIL Open Font License 1.1, see LICENSE-AndikaNewBasic.txt.

fonts.conf       fontconfig rules that give the Windows face names the program
                 asks for to free look-alikes: "AvantGarde Bk BT" -> URW Gothic
                 (fonts-urw-base35), "Courier New" -> Liberation Mono, "Arial" ->
                 Liberation Sans, "Arial Narrow" -> Liberation Sans Narrow
                 (fonts-liberation). Those fonts are used from the system.
END
