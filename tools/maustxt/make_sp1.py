#!/usr/bin/env python3
"""Writes data/maustxt/quendel.sp1, the mouse text of the player question.

Before an exercise starts, the top of the graphics screen asks

    Anzahl der Spieler:  1   oder   2  ?

written from graph point (10, 1) in BGI font 1, size 4, left and top
justified, on a grey bar from y 0 to 40. A click on the "1" or the "2" must
answer the question as the key would.

In graphics mode a mouse cell is 8 x 8 graph points: column = x div 8 + 1,
row = y div 8 + 1. The question's font is sized to the window, so the digits
move a little with the window size. The graph-point spans below are where
the program draws the digits (10 + the text width before the digit, to 10 +
the width including it) in windows from 640 x 480 to 2560 x 1440: "1" lies
within x 261..302 and "2" within x 376..429. Each region covers all of them,
widened to whole cells, so a digit is clickable everywhere on it. The words
beside the digits ("Spieler:" and "oder") stay outside in windows from
800 x 600 up; in a 640 x 480 window the font is coarser and their nearest
letters reach into the regions. The "?" after the "2" lies inside its region
in some sizes, which does no harm. The text reaches from y 1 to about 49:
rows 1 to 6.
"""

import mtb

# Digit, its key code, and the graph-point span (first, last x) that holds
# the digit in every measured window size, out to whole cells.
DIGITS = [
    ("1", ord("1"), 256, 303),
    ("2", ord("2"), 376, 431),
]
TOP_Y, BOTTOM_Y = 0, 47


def cell(point):
    return point // 8 + 1


NAMES = {"1": "ein Spieler", "2": "zwei Spieler"}


def main():
    t = mtb.Table()
    for digit, code, x_from, x_to in DIGITS:
        t.region(cell(x_from), cell(x_to), cell(TOP_Y), cell(BOTTOM_Y), code, NAMES[digit])
    t.write("quendel.sp1")


if __name__ == "__main__":
    main()
