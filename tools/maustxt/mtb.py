"""Writing mouse-text files.

A mouse-text file lists clickable rectangles of character cells, one per
line: first column, last column, first row, last row, key code. Lines are
code page 437 with CR LF. The reader takes every run of digits that is
followed by another character as a number, so each line ends with a blank
and a comment after the code (the comment's own digits come after the
fifth number and are not read). Later lines lie above earlier ones: a
click is taken by the last line that contains the cell.
"""

import os

DATA_DIR = os.path.join(os.path.dirname(__file__), "..", "..", "data", "maustxt")

# Codes with a meaning of their own.
ITEM = 200    # item button n: ITEM + n
CHOICE = 230  # choice button n: CHOICE + n
LEFT = 75     # the Left arrow
RIGHT = 77    # the Right arrow
NOTHING = 0   # a click that gives no key
ESC = 27


class Table:
    def __init__(self):
        self.lines = []

    def region(self, col_from, col_to, row_from, row_to, code, comment):
        assert 1 <= col_from <= col_to <= 80 and 1 <= row_from <= row_to <= 60, comment
        assert 0 <= code <= 255, comment
        self.lines.append(f"{col_from} {col_to} {row_from} {row_to} {code} ; {comment}")

    def text(self, col, row, text, code, comment=None):
        """A region over text written at screen cell (col, row)."""
        self.region(col, col + len(text) - 1, row, row, code, comment or text.strip())

    def block(self, col_from, col_to, row_from, row_to, comment):
        """Cells that must not reach the regions below them. Two regions on
        top of each other: a second click on a region lets the click through
        to the next one below, so one alone would pass every other click."""
        for _ in range(2):
            self.region(col_from, col_to, row_from, row_to, NOTHING, comment)

    def write(self, name):
        path = os.path.join(DATA_DIR, name)
        os.makedirs(DATA_DIR, exist_ok=True)
        with open(path, "wb") as f:
            for line in self.lines:
                f.write(line.encode("cp437") + b"\r\n")
        print(f"{path}: {len(self.lines)} regions")
