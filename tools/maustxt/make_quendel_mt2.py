#!/usr/bin/env python3
"""quendel.mt2: the word-file selection of the editor (left half)."""

import file_selection_box
import mtb

WINDOW = mtb.Window(2, 3)


def main():
    t = mtb.Table()
    # The box lies over the program menu, whose regions stay in the tables
    # below: a quick second click on a row, before the program took the
    # first, goes on to the regions below and is taken here.
    t.block(1, 40, 2, 25, "program menu under the box")
    file_selection_box.add_regions(t, WINDOW)
    t.write("quendel.mt2")


if __name__ == "__main__":
    main()
