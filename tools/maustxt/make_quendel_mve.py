#!/usr/bin/env python3
"""quendel.mve: the program chooser of the word-list editor.

The chooser's box is drawn in the window (41,3,78,22); its nine entries are
written at window column 5 on their rows, 28 cells each. A click on an entry
is item button 200 + (entry - 1): it moves the highlight there.
"""

import mtb

WINDOW = mtb.Window(41, 3)
ENTRY_ROWS = [3, 5, 6, 7, 9, 11, 12, 14, 15]
ENTRY_CELLS = len(" 1. Wortvergleich           ")


def main():
    t = mtb.Table()
    # The program menu on the left half stays on the screen and in the tables.
    t.block(1, 40, 2, 25, "program menu: no key while the chooser is open")
    for i, row in enumerate(ENTRY_ROWS):
        t.area(WINDOW, 5, row, ENTRY_CELLS, mtb.ITEM + i, "editor program entry")
    t.write("quendel.mve")


if __name__ == "__main__":
    main()
