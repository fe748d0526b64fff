#!/usr/bin/env python3
"""The program's own mouse texts (maustxt/quendelstrand.mtb), loaded at the
start and kept under every screen: the twelve entries of the program menu
and "O = Optionen" / "ESC = Ende" on the title row.

A click on a menu entry selects it (item code, the menu takes it as its
entry number); a second click on the same entry passes through to the
region below, which gives the entry's hotkey and so starts it.
"""

from mtb import ESC, ITEM, Table

# The menu window starts at screen cell (2, 3); entries are written from its
# column 6 in these rows.
MENU_LEFT, MENU_TOP = 2, 3
ENTRIES = [
    ("    Wortvergleich          ", 3, "w"),
    ("    Vorsilben              ", 5, "v"),
    ("    Endungen               ", 6, "e"),
    ("    Silben ordnen           ", 7, "s"),
    ("    Zerlegen               ", 8, "z"),
    ("    Baustelle              ", 9, "b"),
    ("    Aus 2 mach 1           ", 10, "a"),
    ("    Kontakt                ", 11, "k"),
    ("    Greifen                ", 12, "g"),
    ("    Umwandeln              ", 14, "u"),
    ("    Reparieren             ", 15, "r"),
    ("         Text-Editor       ", 17, "t"),
]

# The title row: "  Programm:  " "Quendel" "strand", the 29-cell version
# field, then the two key hints.
TITLE_HINTS_COL = 1 + len("  Programm:  ") + len("Quendel") + len("strand") + 29


def main():
    t = Table()
    cells = [(MENU_LEFT + 5, MENU_TOP + row - 1, text) for text, row, _ in ENTRIES]
    for (col, row, text), (_, _, key) in zip(cells, ENTRIES):
        t.text(col, row, text, ord(key), f"start: {text.strip()}")
    for n, (col, row, text) in enumerate(cells):
        t.text(col, row, text, ITEM + n, f"select: {text.strip()}")
    hints = "O = Optionen  ESC = Ende "
    t.text(TITLE_HINTS_COL, 1, "O = Optionen", ord("o"))
    t.text(TITLE_HINTS_COL + hints.index("ESC"), 1, "ESC = Ende", ESC)
    t.write("quendelstrand.mtb")


if __name__ == "__main__":
    main()
