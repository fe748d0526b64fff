#!/usr/bin/env python3
"""Makes the program's icon: a blue slate with a yellow border and the letters
"Qu" built from two word pieces, as an SVG and as PNGs in the sizes of the
hicolor icon theme.

    make_icon.py OUTDIR      writes OUTDIR/quendelstrand.svg and
                             OUTDIR/SIZExSIZE/quendelstrand.png
    make_icon.py --check     compares with the committed files in
                             packaging/icons/ and exits with 1 on a difference

The PNGs are drawn here pixel by pixel (the same shapes as the SVG, with 4x4
supersampling), so only Python's standard library is needed and the output
does not depend on any renderer's version.
"""
import os
import struct
import sys
import tempfile
import zlib

SIZES = (16, 32, 48, 64, 128, 256)
NAME = "quendelstrand"

# Colours of the DOS palette the program draws with.
BLUE = (0x00, 0x00, 0xAA)
YELLOW = (0xFF, 0xFF, 0x55)
WHITE = (0xFF, 0xFF, 0xFF)
CYAN = (0x55, 0xFF, 0xFF)

# Shapes on a 64x64 canvas: (kind, colour, geometry).
#   rect: x, y, w, h, corner radius
RECTS = [
    (YELLOW, (2, 2, 60, 60, 10)),   # border
    (BLUE, (6, 6, 52, 52, 7)),      # slate
    (WHITE, (12, 14, 18, 26, 3)),   # left piece: the "Q" block
    (CYAN, (34, 14, 18, 26, 3)),    # right piece: the "u" block
    (YELLOW, (12, 46, 40, 5, 2)),   # the line the pieces join on
]
# Letters cut out of the pieces, as rectangles in the slate colour.
CUTS = [
    (BLUE, (16, 18, 10, 18, 2)),    # the hole of the Q
    (BLUE, (24, 34, 8, 4, 0)),      # the tail gap of the Q
    (BLUE, (39, 14, 8, 20, 2)),     # the opening of the u
]
TAIL = (WHITE, (26, 36, 6, 6, 1))   # the tail of the Q across the gap


def all_shapes():
    return RECTS + CUTS + [TAIL]


def svg():
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">']
    for colour, (x, y, w, h, r) in all_shapes():
        out.append('  <rect x="%d" y="%d" width="%d" height="%d" rx="%d" fill="#%02x%02x%02x"/>'
                   % ((x, y, w, h, r) + colour))
    out.append('</svg>')
    return "\n".join(out) + "\n"


def inside(px, py, rect):
    x, y, w, h, r = rect
    if px < x or py < y or px >= x + w or py >= y + h:
        return False
    # The rounded corners: outside the quarter circle of radius r.
    cx = min(max(px, x + r), x + w - r)
    cy = min(max(py, y + r), y + h - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def render(size):
    sub = 4
    scale = 64.0 / (size * sub)
    shapes = all_shapes()
    rows = []
    for j in range(size):
        row = bytearray()
        for i in range(size):
            acc = [0, 0, 0, 0]
            for sj in range(sub):
                for si in range(sub):
                    px = (i * sub + si + 0.5) * scale
                    py = (j * sub + sj + 0.5) * scale
                    colour = None
                    for c, rect in shapes:
                        if inside(px, py, rect):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 255
            n = sub * sub
            a = acc[3] // n
            if a:
                cover = acc[3] // 255
                row += bytes((acc[0] // cover, acc[1] // cover, acc[2] // cover, a))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return png(size, size, rows)


def png(w, h, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_all(outdir):
    os.makedirs(outdir, exist_ok=True)
    with open(os.path.join(outdir, NAME + ".svg"), "w", encoding="utf-8") as f:
        f.write(svg())
    for size in SIZES:
        folder = os.path.join(outdir, "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, NAME + ".png"), "wb") as f:
            f.write(render(size))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    committed = os.path.join(here, "..", "..", "packaging", "icons")
    if argv == ["--check"]:
        with tempfile.TemporaryDirectory() as tmp:
            write_all(tmp)
            bad = []
            for root, _, names in os.walk(tmp):
                for name in names:
                    rel = os.path.relpath(os.path.join(root, name), tmp)
                    mine = os.path.join(committed, rel)
                    with open(os.path.join(root, name), "rb") as a:
                        made = a.read()
                    if not os.path.exists(mine) or open(mine, "rb").read() != made:
                        bad.append(rel)
            for rel in bad:
                print("differs: packaging/icons/" + rel, file=sys.stderr)
            return 1 if bad else 0
    if len(argv) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    write_all(argv[0])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
