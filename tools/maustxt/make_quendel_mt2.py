#!/usr/bin/env python3
"""quendel.mt2: the word-file selection of the editor (left half)."""

import file_selection_box
import mtb_regions as mtb

WINDOW = mtb.Window(2, 3)

# The box lies over the program menu, whose regions stay in the tables below:
# a quick second click on a row, before the program took the first, goes on
# to the regions below and is taken here.
MENU_SHIELD = mtb.shield(1, 40, 2, 25, "program menu under the box")

if __name__ == "__main__":
    print(mtb.write("quendel.mt2", MENU_SHIELD + file_selection_box.regions(WINDOW)))
