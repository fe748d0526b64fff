#!/usr/bin/env python3
"""quendel.mt1: the word-file selection of the exercises (right half)."""

import file_selection_box
import mtb_regions as mtb

WINDOW = mtb.Window(41, 3)

# Umwandeln shows its three directions on window row 19 from column 6 to 32;
# a click there changes the direction, like F5.
DIRECTIONS = WINDOW.region(6, 19, 27, mtb.KEY_F5, "direction choices, as the function key")

# The program menu on the left half stays on the screen and in the tables.
MENU_SHIELD = mtb.shield(1, 40, 2, 25, "program menu: no key while a file is chosen")

if __name__ == "__main__":
    print(mtb.write("quendel.mt1", MENU_SHIELD + file_selection_box.regions(WINDOW) + [DIRECTIONS]))
