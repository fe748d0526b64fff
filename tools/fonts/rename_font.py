#!/usr/bin/env python3
"""Copies a TrueType font under a new family name.

A font under the SIL Open Font License that is modified must not keep its
Reserved Font Names, so every name a program shows or matches (family,
subfamily, unique id, full name, PostScript name, typographic names and the
description) is replaced; copyright, trademark and licence notices stay.

Usage: rename_font.py SOURCE.ttf TARGET.ttf "New Family" [forbidden word ...]
The output is deterministic (the font's timestamps are kept).
"""

import sys

from fontTools.ttLib import TTFont

REPLACED = {1, 3, 4, 6, 16, 17, 18, 21, 22, 10}


def main():
    source, target, family = sys.argv[1:4]
    forbidden = sys.argv[4:]
    font = TTFont(source, recalcTimestamp=False)
    names = font['name']
    postscript = family.replace(' ', '') + '-Regular'
    names.names = [n for n in names.names if n.nameID not in REPLACED]
    for platform, encoding, language in ((3, 1, 0x409), (1, 0, 0)):
        for name_id, text in ((1, family), (2, 'Regular'), (3, family + ' Regular'),
                              (4, family), (6, postscript),
                              (10, family + ', a renamed copy of a font under the Open Font License 1.1.')):
            names.setName(text, name_id, platform, encoding, language)
    for n in names.names:
        if n.nameID in REPLACED or n.nameID == 2:
            text = n.toUnicode()
            for word in forbidden:
                if word.lower() in text.lower():
                    sys.exit(f'name {n.nameID} still contains {word!r}: {text!r}')
    font.save(target)


if __name__ == '__main__':
    main()
