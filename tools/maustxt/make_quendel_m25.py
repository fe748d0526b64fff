#!/usr/bin/env python3
"""quendel.m25: the line list view (start-word choice and editor).

The list fills rows 1..25 of the window (1,1,39,25). Each row is a line
region; the mouse layer numbers line regions from the last region of the
table (the last one is 0), so the rows come last and in order: a click on
row r gives 25 - r. Before them, the key texts of the editor's right panel
(window (40,1,80,25), written from column 2) act as their keys.
"""

import mtb_regions as mtb

LIST = mtb.Window(1, 1)
PANEL = mtb.Window(40, 1)
LIST_ESCAPE = ord("3")  # counts as ESC in the list view

KEYS = [
    PANEL.region(2, 20, len("Abbruch = ESC"), LIST_ESCAPE, "Abbruch = ESC"),
    # The editor's restored key line puts "F8 = Neue Datei" behind it.
    PANEL.region(21, 20, len("F8 = Neue Datei"), mtb.KEY_F8, "restored key line: new file"),
    PANEL.region(2, 21, len("F5 = Speichern"), mtb.KEY_F5, "save"),
    PANEL.region(2, 22, len("F6 = Speichern mit neuem Namen."), mtb.KEY_F6, "save as"),
    PANEL.region(2, 23, len("F8 = Neue Datei eröffnen."), mtb.KEY_F8, "new file"),
    PANEL.region(2, 24, len("F9 = Datei drucken."), mtb.KEY_F9, "print"),
]

ROWS = [LIST.region(1, row, 39, mtb.LINE_REGION, "list row") for row in range(1, 26)]

# A second click on the same row goes on to the regions below it: this one
# takes it, so the program menu's regions underneath give no key.
BELOW_ROWS = mtb.Region(1, 39, 1, 25, mtb.NO_KEY, "list: second click on a row")

if __name__ == "__main__":
    print(mtb.write("quendel.m25", [BELOW_ROWS] + KEYS + ROWS))
