#!/usr/bin/env python3
"""Writes the special glyph pictures of the character screen (data/emfs/NNN.emf).

Each picture is an enhanced metafile named by the decimal code page 437 code of
its character: the box-drawing characters 179..218, the shades 176..178, the
blocks 219..223 and the root sign 251, white on black. The pictures fill
their frame edge to edge, so that lines of neighbouring cells join at any cell
size: a line runs to the very edge of the frame and is centred in it.

Design grid: 480 x 960 logical units (one cell; the screen stretches it to its
cell of CellWidth x CellHeight+2 pixels). A line is 1/8 of the width thick
when vertical and 1/16 of the height when horizontal, so that it keeps at
least one pixel in the smallest cell of 8 x 16 pixels. Double lines are two
such lines with a gap of the same thickness. Shades are squares on an 8 x 16
lattice with the bit patterns of the DOS shade characters; the lattice divides
the frame evenly, so the patterns tile seamlessly from cell to cell.

Usage: make_glyphs.py [output folder]   (default: data/emfs beside tools/)
The output is deterministic: the same script writes the same bytes.
"""

import os
import struct
import sys
import unicodedata

W, H = 480, 960
CX, CY = W // 2, H // 2
TX, TY = W // 8, H // 16  # line thickness across vertical / horizontal lines

WHITE_BRUSH, BLACK_BRUSH = 1, 2
NULL_PEN = 0x80000008


# --- EMF writing --------------------------------------------------------------

def record(rtype, payload):
    return struct.pack('<II', rtype, 8 + len(payload)) + payload


def rectl(l, t, r, b):
    return struct.pack('<iiii', l, t, r, b)


def header(total_bytes, n_records):
    # A reference device of 1920 x 1080 pixels at exactly 96 dpi (given in
    # micrometres), so that the frame of 480 x 960 pixels is 127 x 254 mm.
    frame_w = W * 2540 // 96
    frame_h = H * 2540 // 96
    dev_w, dev_h = 1920, 1080
    um_w, um_h = dev_w * 25400 // 96, dev_h * 25400 // 96
    payload = (rectl(0, 0, W - 1, H - 1) + rectl(0, 0, frame_w, frame_h) +
               struct.pack('<IIIIHHIIIiiii', 0x464D4520, 0x10000, total_bytes, n_records,
                           3, 0, 0, 0, 0, dev_w, dev_h, um_w // 1000, um_h // 1000) +
               struct.pack('<IIIii', 0, 0, 0, um_w, um_h))
    return record(1, payload)


def brush(index, rgb):
    r, g, b = rgb
    return record(39, struct.pack('<IIII', index, 0, r | (g << 8) | (b << 16), 0))


def select(index):
    return record(37, struct.pack('<I', index))


def polygon16(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    payload = rectl(min(xs), min(ys), max(xs), max(ys)) + struct.pack('<I', len(points))
    payload += b''.join(struct.pack('<hh', x, y) for x, y in points)
    return record(86, payload)


def box(x0, y0, x1, y1):
    return polygon16([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


def eof():
    return record(14, struct.pack('<III', 0, 16, 20))


def metafile(white_parts, black_parts=(), white_over=()):
    """Black background, then white shapes, black cut-outs, more white shapes."""
    body = [brush(WHITE_BRUSH, (255, 255, 255)), brush(BLACK_BRUSH, (0, 0, 0)),
            select(NULL_PEN), select(BLACK_BRUSH), box(0, 0, W, H), select(WHITE_BRUSH)]
    body += list(white_parts)
    if black_parts:
        body += [select(BLACK_BRUSH)] + list(black_parts) + [select(WHITE_BRUSH)]
    body += list(white_over)
    body.append(eof())
    body_bytes = b''.join(body)
    head_len = len(header(0, 0))
    return header(head_len + len(body_bytes), len(body) + 1) + body_bytes


# --- Box drawing --------------------------------------------------------------

DIRS = ('up', 'down', 'left', 'right')
WORDS = {'UP': ('up',), 'DOWN': ('down',), 'LEFT': ('left',), 'RIGHT': ('right',),
         'VERTICAL': ('up', 'down'), 'HORIZONTAL': ('left', 'right')}
OPPOSITE = {'up': 'down', 'down': 'up', 'left': 'right', 'right': 'left'}
PERPENDICULAR = {'up': ('left', 'right'), 'down': ('left', 'right'),
                 'left': ('up', 'down'), 'right': ('up', 'down')}


def arms_of(code):
    """Arms of a box-drawing character: direction -> 1 (single) or 2 (double)."""
    name = unicodedata.name(bytes([code]).decode('cp437'))
    assert name.startswith('BOX DRAWINGS '), name
    words = name[len('BOX DRAWINGS '):].split()
    arms = {}
    if words[0] in ('LIGHT', 'DOUBLE'):
        weight = 1 if words[0] == 'LIGHT' else 2
        for w in words[1:]:
            for d in WORDS.get(w, ()):
                arms[d] = weight
    else:
        # "DOWN SINGLE AND LEFT DOUBLE"
        i = 0
        while i + 1 < len(words):
            if words[i] == 'AND':
                i += 1
                continue
            weight = 1 if words[i + 1] == 'SINGLE' else 2
            for d in WORDS[words[i]]:
                arms[d] = weight
            i += 2
    return arms


def band(direction, start, half):
    """A band from `start` units before the centre to the edge, `half` wide each side."""
    if direction == 'right':
        return box(CX - start * TX // 2, CY - half * TY // 2, W, CY + half * TY // 2)
    if direction == 'left':
        return box(0, CY - half * TY // 2, CX + start * TX // 2, CY + half * TY // 2)
    if direction == 'down':
        return box(CX - half * TX // 2, CY - start * TY // 2, CX + half * TX // 2, H)
    return box(CX - half * TX // 2, 0, CX + half * TX // 2, CY + start * TY // 2)


def box_drawing(code):
    # Distances below are in half line thicknesses.
    arms = arms_of(code)
    doubles, carves, singles = [], [], []
    for d in DIRS:
        weight = arms.get(d)
        if not weight:
            continue
        perp = [arms.get(p, 0) for p in PERPENDICULAR[d]]
        if weight == 2:
            # Two lines (the band minus its middle); where a double line
            # crosses, the bands meet at their outer edges.
            start = 3 if 2 in perp else 1
            doubles.append(band(d, start, 3))
            carves.append(band(d, 1, 1))
        else:
            if arms.get(OPPOSITE[d]) == 1:
                start = 1          # the line passes straight through
            elif perp.count(2) == 2:
                start = -1         # stops at the near line of a double crossing
            elif 2 in perp:
                start = 3          # closes the end of a double line
            else:
                start = 1
            singles.append(band(d, start, 1))
    return metafile(doubles, carves, singles)


# --- Shades, blocks and signs ---------------------------------------------------

SHADE_ROWS = {176: (0x22, 0x88), 177: (0x55, 0xAA), 178: (0xDD, 0x77)}


def shade(code):
    cols, rows = 8, 16
    sw, sh = W // cols, H // rows
    parts = []
    for row in range(rows):
        bits = SHADE_ROWS[code][row % 2]
        col = 0
        while col < cols:
            if bits & (0x80 >> col):
                end = col
                while end + 1 < cols and bits & (0x80 >> (end + 1)):
                    end += 1
                parts.append(box(col * sw, row * sh, (end + 1) * sw, (row + 1) * sh))
                col = end + 1
            else:
                col += 1
    return metafile(parts)


BLOCKS = {219: (0, 0, W, H), 220: (0, H // 2, W, H), 221: (0, 0, W // 2, H),
          222: (W // 2, 0, W, H), 223: (0, 0, W, H // 2)}


def stroke(points, thickness):
    """A thick polyline as one quadrilateral per segment and a square at each joint."""
    parts = []
    half = thickness / 2
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        dx, dy = x1 - x0, y1 - y0
        length = (dx * dx + dy * dy) ** 0.5
        nx, ny = -dy / length * half, dx / length * half
        quad = [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]
        parts.append(polygon16([(round(x), round(y)) for x, y in quad]))
    for x, y in points[1:-1]:
        parts.append(box(round(x - half), round(y - half), round(x + half), round(y + half)))
    return parts


def root_sign():
    # The long stroke ends in a short bar at the top right corner.
    t = TX * 6 // 5
    return metafile(stroke([(40, 560), (130, 500), (230, 760), (400, 180), (470, 180)], t))


def glyphs():
    for code in range(179, 219):
        yield code, box_drawing(code)
    for code in SHADE_ROWS:
        yield code, shade(code)
    for code, rect in BLOCKS.items():
        yield code, metafile([box(*rect)])
    yield 251, root_sign()


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'data', 'emfs')
    os.makedirs(out, exist_ok=True)
    for code, data in glyphs():
        with open(os.path.join(out, f'{code}.emf'), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
