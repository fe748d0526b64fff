#!/usr/bin/env python3
"""quendel.mt2: the word-file selection of the editor (left half)."""

import file_selection_box
import mtb_regions as mtb

WINDOW = mtb.Window(2, 3)

if __name__ == "__main__":
    print(mtb.write("quendel.mt2", file_selection_box.regions(WINDOW)))
