#!/usr/bin/env python3
"""Writes the small pictures the image decoder tests read.

The BMP files are written byte by byte here, so that every header variant is
exactly what the tests expect; PNG, JPEG and GIF files are made with ImageMagick
from raw pixels. Run from this folder: python3 make_fixtures.py
"""
import struct
import subprocess

# 5 x 3 pattern shared by the truecolour fixtures (the tests hold the same table).
PATTERN = [
    [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0)],
    [(255, 255, 0), (0, 255, 255), (255, 0, 255), (128, 128, 128), (10, 20, 30)],
    [(0, 0, 0), (255, 255, 255), (0, 0, 255), (0, 255, 0), (255, 0, 0)],
]
W, H = 5, 3
# Alpha of the RGBA fixtures: a ramp, transparent in the corner.
ALPHA = [[0, 64, 128, 192, 255], [255, 255, 255, 255, 255], [255, 128, 0, 128, 255]]


def raw_rgb():
    return bytes(c for row in PATTERN for px in row for c in px)


def raw_rgba():
    return bytes(c for y, row in enumerate(PATTERN) for x, px in enumerate(row)
                 for c in (*px, ALPHA[y][x]))


def magick(fmt, data, out, *opts):
    subprocess.run(["convert", "-size", f"{W}x{H}", "-depth", "8", f"{fmt}:-", *opts, out],
                   input=data, check=True)


def bmp(name, bpp, rows_bytes, palette=b"", info=None, top_down=False, compression=0,
        masks=b""):
    """rows_bytes: the pixel rows top to bottom, unpadded."""
    stride = ((W * bpp + 31) // 32) * 4
    rows = [r + b"\0" * (stride - len(r)) for r in rows_bytes]
    if not top_down:
        rows = rows[::-1]
    pixels = b"".join(rows)
    if info is None:
        info = struct.pack("<IiiHHIIiiII", 40, W, -H if top_down else H, 1, bpp, compression,
                           len(pixels), 2835, 2835, len(palette) // 4, 0)
    header_len = 14 + len(info) + len(masks) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", header_len + len(pixels), 0, 0, header_len)
    with open(name, "wb") as f:
        f.write(head + info + masks + palette + pixels)


def write_interlaced_gif(name):
    """An interlaced GIF of the pattern, written here: ImageMagick mixes up the rows of
    tiny interlaced pictures. The LZW stream sends only literal codes, with a clear code
    often enough that the code width stays at 5 bits."""
    colours = sorted({px for row in PATTERN for px in row})
    colours += [(0, 0, 0)] * (16 - len(colours))
    order = [0, 2, 1]  # passes 1, 3 and 4 of a three-row picture
    indices = [colours.index(px) for y in order for px in PATTERN[y]]
    clear, eoi = 16, 17
    codes = [clear]
    for i, v in enumerate(indices):
        if i and i % 12 == 0:
            codes.append(clear)
        codes.append(v)
    codes.append(eoi)
    acc = nbits = 0
    data = bytearray()
    for c in codes:
        acc |= c << nbits
        nbits += 5
        while nbits >= 8:
            data.append(acc & 255)
            acc >>= 8
            nbits -= 8
    if nbits:
        data.append(acc & 255)
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", W, H, 0xF3, 0, 0))
    out += b"".join(bytes(c) for c in colours)
    out += b"\x2c" + struct.pack("<HHHHB", 0, 0, W, H, 0x40) + bytes([4])
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    out += b"\x00\x3b"
    with open(name, "wb") as f:
        f.write(out)


def bgra_palette(colours):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in colours)


def main():
    magick("rgb", raw_rgb(), "rgb.png")
    magick("rgba", raw_rgba(), "rgba.png")
    magick("rgb", raw_rgb(), "interlaced.png", "-interlace", "PNG")
    magick("rgb", raw_rgb(), "gray16.png", "-colorspace", "Gray", "-depth", "16")
    magick("rgba", raw_rgba(), "palette-trns.png", "-define", "png:format=png8")
    magick("rgb", raw_rgb(), "rgb.jpg", "-quality", "100", "-sampling-factor", "1x1")
    magick("rgb", raw_rgb(), "progressive.jpg", "-quality", "100", "-sampling-factor", "1x1",
           "-interlace", "JPEG")
    magick("rgb", raw_rgb(), "gray.jpg", "-colorspace", "Gray", "-quality", "100")
    magick("rgb", raw_rgb(), "rgb.gif")
    write_interlaced_gif("interlaced.gif")
    # Black becomes the transparent index.
    magick("rgb", raw_rgb(), "transparent.gif", "-transparent", "black")
    # Two frames: the decoder shows the first.
    subprocess.run(["convert", "-size", f"{W}x{H}", "xc:red", "-size", f"{W}x{H}", "xc:blue",
                    "animated.gif"], check=True)

    bgr = [b"".join(bytes((b, g, r)) for r, g, b in row) for row in PATTERN]
    bmp("rgb24.bmp", 24, bgr)
    bmp("rgb24-topdown.bmp", 24, bgr, top_down=True)
    bmp("rgb32.bmp", 32, [b"".join(bytes((b, g, r, 0x5A)) for r, g, b in row) for row in PATTERN])
    # 32-bit BITFIELDS with an alpha mask in a V5 header.
    rgba_rows = [b"".join(struct.pack("<I", (ALPHA[y][x] << 24) | (r << 16) | (g << 8) | b)
                          for x, (r, g, b) in enumerate(row)) for y, row in enumerate(PATTERN)]
    v5 = struct.pack("<IiiHHIIiiII", 124, W, H, 1, 32, 3, 0, 2835, 2835, 0, 0)
    v5 += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    v5 += b"BGRs" + b"\0" * (124 - len(v5) - 4)
    bmp("argb32-v5.bmp", 32, rgba_rows, info=v5)
    # 16-bit RGB565 by BITFIELDS after a 40-byte header.
    def rgb565(r, g, b):
        return struct.pack("<H", ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
    rows565 = [b"".join(rgb565(*px) for px in row) for row in PATTERN]
    bmp("rgb565.bmp", 16, rows565, compression=3,
        masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F))
    # Palette pictures: index = (x + y) % n.
    pal = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 0, 255)] + \
          [(i, i, i) for i in range(4, 16)]
    idx = [[(x + y) % 2 for x in range(W)] for y in range(H)]
    rows1 = [bytes([sum(v << (7 - i) for i, v in enumerate(r))]) for r in idx]
    bmp("pal1.bmp", 1, rows1, palette=bgra_palette(pal[:2]))
    idx4 = [[(x + y) % 16 for x in range(W)] for y in range(H)]
    rows4 = [bytes((r[i] << 4) | (r[i + 1] if i + 1 < W else 0) for i in range(0, W, 2))
             for r in idx4]
    bmp("pal4.bmp", 4, rows4, palette=bgra_palette(pal))
    idx8 = [[(x + y) % 4 for x in range(W)] for y in range(H)]
    bmp("pal8.bmp", 8, [bytes(r) for r in idx8], palette=bgra_palette(pal[:4]))
    # OS/2 core header with three-byte palette entries.
    core = struct.pack("<IHHHH", 12, W, H, 1, 8)
    core_pal = b"".join(bytes((b, g, r)) for r, g, b in pal[:4])
    bmp("os2-pal8.bmp", 8, [bytes(r) for r in idx8], palette=core_pal, info=core)


if __name__ == "__main__":
    main()
