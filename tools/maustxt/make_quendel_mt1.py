#!/usr/bin/env python3
"""quendel.mt1: the word-file selection of the exercises (right half)."""

import file_selection_box
import mtb

WINDOW = mtb.Window(41, 3)


def main():
    t = mtb.Table()
    # The program menu on the left half stays on the screen and in the tables.
    t.block(1, 40, 2, 25, "program menu: no key while a file is chosen")
    file_selection_box.add_regions(t, WINDOW)
    # Umwandeln shows its three directions on window row 19 from column 6 to
    # 32; a click there changes the direction, like F5.
    t.area(WINDOW, 6, 19, 27, mtb.KEY_F5, "direction choices, as the function key")
    t.write("quendel.mt1")


if __name__ == "__main__":
    main()
