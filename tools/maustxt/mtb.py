"""Writing mouse-text files (".mtb") for the trainer's screens.

A mouse-text file lists one clickable rectangle of cells a line: first
column, last column, first row, last row (1-based cells; 80 x 25 on the
text screen, 80 x 60 cells of 8 x 8 graph points in graphics mode) and the
key code a click produces. The reader takes every run of digits that is
followed by another character as a number and uses the first five, so each
line ends with a blank and a comment after the code (the comment's own
digits come after the fifth number and are not read). Lines are code page
437 with CR LF. Later lines lie above earlier ones: a click is taken by the
last line that contains the cell.

make_all.py runs every generator; with --check it only compares what they
would write with the files in data/maustxt.
"""

import os

DATA_DIR = os.path.normpath(
    os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "maustxt"))

# Codes with a meaning of their own in the mouse layer.
NOTHING = 0         # a region that takes a click and gives no key
ESC = 27
LIST_REGION = 199   # the clicked row, counted from the region's first row
ITEM = 200          # item button n: ITEM + n (200..220)
CHOICE = 230        # choice button n: CHOICE + n
LINE_REGION = 255   # line regions: counted from the last region of the table

# Extended key codes a region can stand for.
LEFT = ord("K")
RIGHT = ord("M")
KEY_PGDN = ord("Q")
KEY_F5 = ord("?")
KEY_F6 = ord("@")
KEY_F7 = ord("A")
KEY_F8 = ord("B")
KEY_F9 = ord("C")

# Set by make_all.py --check: write() compares instead of writing and
# collects the files that differ here.
check_only = False
differing = []


class Window:
    """A text window of the screen from cell (left, top)."""

    def __init__(self, left, top):
        self.left = left
        self.top = top

    def cells(self, col, row, width, height=1):
        """Screen cells (first col, last col, first row, last row) of a
        window area."""
        return (self.left + col - 1, self.left + col + width - 2,
                self.top + row - 1, self.top + row + height - 2)


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

    def area(self, window, col, row, width, code, comment, height=1):
        """A region over an area of a text window."""
        self.region(*window.cells(col, row, width, height), code, comment)

    def block(self, col_from, col_to, row_from, row_to, comment):
        """Cells whose clicks must not reach the tables below (the screens
        underneath stay active; the program menu's item buttons would move
        this screen's selection). Two regions on top of each other: a second
        click on a region goes on to the next one below, so one alone would
        pass every other click."""
        for _ in range(2):
            self.region(col_from, col_to, row_from, row_to, NOTHING, comment)

    def write(self, name):
        path = os.path.join(DATA_DIR, name)
        data = b"".join(line.encode("cp437") + b"\r\n" for line in self.lines)
        if check_only:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except FileNotFoundError:
                same = False
            if not same:
                differing.append(path)
            return
        os.makedirs(DATA_DIR, exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
        print(f"{path}: {len(self.lines)} regions")
