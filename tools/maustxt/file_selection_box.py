"""The layout of the word-file selection box, shared by its two tables.

The box is drawn in a text window of 38 columns from row 3 on: its 16 file
rows are window rows 2..17, each written from window column 4 as the
number (3 cells) and the name (29 cells); the hint " Für weitere Dateien
klicke hier " lies on the bottom border, window row 18 from column 3.
"""

import mtb

FILE_ROWS = 16
ROW_CELLS = 3 + 29
HINT_CELLS = len(" Für weitere Dateien klicke hier ")


def add_regions(table, window):
    # A click on a row selects the file shown there.
    table.area(window, 4, 2, ROW_CELLS, mtb.LIST_REGION, "file rows", height=FILE_ROWS)
    # A click on the hint pages on, like PgDn.
    table.area(window, 3, 18, HINT_CELLS, mtb.KEY_PGDN, "hint: more files")
