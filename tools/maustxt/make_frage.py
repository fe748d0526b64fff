#!/usr/bin/env python3
"""Mouse texts of the "Sind Sie sicher?" question (maustxt/frage.mtb):
"Ja" and "Nein" give the keys j and n that answer it.

The question box is the quit question's window from screen cell (21, 10);
the answers stand in its third row, "Ja" from column 26 and "Nein" from
column 32. The menu entries on the left half are blocked while the
question is open, so a click there cannot select an entry behind it.
"""

from mtb import Table

BOX_LEFT, BOX_TOP = 21, 10
ANSWER_ROW = BOX_TOP + 2


def main():
    t = Table()
    t.block(1, 40, 2, 25, "the menu behind the question")
    t.text(BOX_LEFT + 25, ANSWER_ROW, "Ja", ord("j"))
    t.text(BOX_LEFT + 31, ANSWER_ROW, "Nein", ord("n"))
    t.write("frage.mtb")


if __name__ == "__main__":
    main()
