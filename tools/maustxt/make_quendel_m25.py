#!/usr/bin/env python3
"""quendel.m25: the line list view (start-word choice and editor).

The list fills rows 1..25 of the window (1,1,39,25). Each row is a line
region; the mouse layer numbers line regions from the last region of the
table (the last one is 0), so the rows come last and in order: a click on
row r gives 25 - r. Before them, the key texts of the editor's right panel
(window (40,1,80,25), written from column 2) act as their keys.
"""

import mtb

LIST = mtb.Window(1, 1)
PANEL = mtb.Window(40, 1)
LIST_ESCAPE = ord("3")  # counts as ESC in the list view

KEYS = [
    (2, 20, "Abbruch = ESC", LIST_ESCAPE, "Abbruch = ESC"),
    # The editor's restored key line puts "F8 = Neue Datei" behind it.
    (21, 20, "F8 = Neue Datei", mtb.KEY_F8, "restored key line: new file"),
    (28, 19, "F7 = Prüfen", mtb.KEY_F7, "check the list"),
    (2, 21, "F5 = Speichern", mtb.KEY_F5, "save"),
    (2, 22, "F6 = Speichern mit neuem Namen.", mtb.KEY_F6, "save as"),
    (2, 23, "F8 = Neue Datei eröffnen.", mtb.KEY_F8, "new file"),
    (2, 24, "F9 = Datei drucken.", mtb.KEY_F9, "print"),
]


def main():
    t = mtb.Table()
    # A second click on the same row goes on to the regions below it: this
    # one takes it, so the program menu's regions underneath give no key.
    t.region(1, 39, 1, 25, mtb.NOTHING, "list: second click on a row")
    for col, row, text, code, comment in KEYS:
        t.area(PANEL, col, row, len(text), code, comment)
    for row in range(1, 26):
        t.area(LIST, 1, row, 39, mtb.LINE_REGION, "list row")
    t.write("quendel.m25")


if __name__ == "__main__":
    main()
