"""Writing mouse-text files (".mtb") for the trainer's screens.

A mouse-text file lists one clickable rectangle of text cells a line:
first column, last column, first row, last row (1-based screen cells of
the 80 x 25 text screen) and the key code a click produces. The numbers
are separated by blanks; every line ends in a blank and a comment, because
the reader does not count a number at the very end of a line. Files are
code page 437 with CR LF line ends.
"""

import os

# Special codes of the mouse layer.
LIST_REGION = 199  # the clicked row, counted from the region's first row
ITEM_FIRST = 200   # item buttons 200..220: item 0..20
LINE_REGION = 255  # line regions: counted from the last region of the table
NO_KEY = 0         # a region that takes a click and gives no key

# Extended key codes a region can stand for.
KEY_PGDN = ord("Q")
KEY_F5 = ord("?")
KEY_F6 = ord("@")
KEY_F8 = ord("B")
KEY_F9 = ord("C")

DATA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "maustxt")


class Window:
    """A text window of the screen: converts window cells to screen cells."""

    def __init__(self, left, top):
        self.left = left
        self.top = top

    def region(self, col, row, width, code, comment, height=1):
        return Region(self.left + col - 1, self.left + col + width - 2,
                      self.top + row - 1, self.top + row + height - 2, code, comment)


class Region:
    def __init__(self, col_from, col_to, row_from, row_to, code, comment):
        assert 1 <= col_from <= col_to <= 80, (col_from, col_to)
        assert 1 <= row_from <= row_to <= 25, (row_from, row_to)
        assert 0 <= code < 256
        assert not any(ch.isdigit() for ch in comment), comment
        self.fields = (col_from, col_to, row_from, row_to, code)
        self.comment = comment

    def line(self):
        return " ".join(str(n) for n in self.fields) + " ; " + self.comment


def shield(col_from, col_to, row_from, row_to, comment):
    """Keeps clicks on a screen part from reaching the tables below.

    The tables of the screens underneath stay active; a click on their
    regions would act on this screen (the program menu's item buttons would
    move this screen's selection). A region without a key takes such clicks.
    A second click on the same region goes on to the region below it, so the
    shield is two regions on top of each other, which take turns.
    """
    return [Region(col_from, col_to, row_from, row_to, NO_KEY, comment) for _ in range(2)]


def write(name, regions):
    """Writes data/maustxt/<name> and returns its path."""
    text = "".join(r.line() + "\r\n" for r in regions)
    path = os.path.normpath(os.path.join(DATA_DIR, name))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("cp437"))
    return path
