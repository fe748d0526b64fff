#!/usr/bin/env python3
"""Mouse texts of the options screen (maustxt/quendel.mop).

Each of the fifteen option rows has one region over its label and values
that selects the row (item code 200 + row - 1). Under it lie the regions of
the value texts: a click on a value gives the choice code of its value, or
Left / Right for rows that only change with the arrows. The first click on a
row therefore selects it; the next clicks on its values reach the value
regions below and change the value.

The options window starts at screen cell (41, 2); labels are written from
its column 2 and values from column 13 (Ton from columns 13, 20 and 31).
The menu on the left half is blocked while the screen is open.
"""

from mtb import CHOICE, ITEM, LEFT, RIGHT, Table

WIN_LEFT, WIN_TOP = 41, 2
LABEL_COL, VALUE_COL, LAST_COL = 2, 13, 36

# Value texts in the order they are written; None marks a text that is no
# value.
ROWS = [
    (2, "Maus", [(" aus ", LEFT), ("  ", None), (" ein ", RIGHT)]),
    (3, "Trennung", [(" nein ", CHOICE), (" ja ", CHOICE + 1), (" Linie ", CHOICE + 2),
                     (" Block ", CHOICE + 3)]),
    (4, "Wortwahl", [(" Zufall ", LEFT), (" ", None), (" Reihenfolge ", RIGHT)]),
    (5, "Artikel", [(" mit ", LEFT), ("  ", None), (" ohne ", RIGHT)]),
    (6, "Ton", [(13, " ein ", CHOICE), (20, " Tippton ", CHOICE + 1), (31, " aus ", CHOICE + 2)]),
    (8, "Endungen", [(" Gebiss ", LEFT), (" ", None), (" Wettrennen ", RIGHT)]),
    (9, "Wortvergl.", [(" verbrennen ", LEFT), (" Wie bitte? ", RIGHT)]),
    (10, "Wortvergl.", [("Sauri:", None), (" langsam ", LEFT), (" schnell ", RIGHT)]),
    (11, "Zerlegen", [(" abschreiben ", LEFT), (" erinnern ", RIGHT)]),
    (12, "Zerlegen", [(" Silben ", CHOICE), ("+ Zahl ", CHOICE + 1), (" andere ", CHOICE + 2)]),
    (13, "Baustelle", [(" 1 ", CHOICE), (" ", None), (" 3 ", CHOICE + 1), (" ", None),
                       (" 5 ", CHOICE + 2), ("  Wörter", None)]),
    (14, "Bausteine", [(" kleine ", CHOICE), (" große ", CHOICE + 1), ("Steine", None)]),
    (15, "Greifen", [(" Alles ", CHOICE), (" Vorgabe ", CHOICE + 1), (" 2.Teil ", CHOICE + 2)]),
    (16, "Greifteile", [(" zusammen ", LEFT), (" getrennt ", RIGHT)]),
    (18, "wiederhole", [(" nicht ", LEFT), (" bei Fehler ", RIGHT)]),
]


def value_cells(values):
    """(window column, text, code) of each value text."""
    col = VALUE_COL
    for v in values:
        if len(v) == 3:
            col, text, code = v
        else:
            text, code = v
        yield col, text, code
        col += len(text)


def main():
    t = Table()
    for window_row, label, values in ROWS:
        row = WIN_TOP + window_row - 1
        for col, text, code in value_cells(values):
            assert col + len(text) - 1 <= LAST_COL, (label, text)
            if code is not None:
                t.text(WIN_LEFT + col - 1, row, text, code, f"{label}:{text.rstrip()}")
    for n, (window_row, label, _) in enumerate(ROWS):
        row = WIN_TOP + window_row - 1
        t.region(WIN_LEFT + LABEL_COL - 1, WIN_LEFT + LAST_COL - 1, row, row, ITEM + n,
                 f"select: {label}")
    t.block(1, 40, 2, 25, "the menu beside the options")
    t.write("quendel.mop")


if __name__ == "__main__":
    main()
