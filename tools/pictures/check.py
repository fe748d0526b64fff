"""Checks the built pictures: every file there, aspect of its creation size, key colours.

Usage: check.py REPO_ROOT       (exit status 1 and a message per fault when one is found)
"""

import os
import sys

from PIL import Image

import make_pictures as mp
from svglib import SCALE, MIN_VISIBLE


def faults(root):
    bitplane = os.path.join(root, "data", "bitplane")
    found = []
    expected = [(n, w, h, bg) for n, w, h, bg, _ in mp.pictures()]
    expected += [(n, w, h, "alpha") for n, w, h, _ in mp.POINTERS]
    for name, w, h, bg in expected:
        path = os.path.join(bitplane, name)
        if not os.path.exists(path):
            found.append("%s: missing" % name)
            continue
        img = Image.open(path)
        if img.size != (w * SCALE, h * SCALE):
            found.append("%s: size %s, expected %dx%d" % (name, img.size, w * SCALE, h * SCALE))
        corner = img.convert("RGBA").getpixel((0, img.size[1] - 1))
        if bg is None:
            if corner[:3] != (0, 0, 0):
                found.append("%s: bottom-left pixel %s is not the black key" % (name, corner))
            dark = sum(1 for p in img.convert("RGB").getdata() if 0 < max(p) < MIN_VISIBLE)
            if dark:
                found.append("%s: %d near-black visible pixels" % (name, dark))
        elif bg == "alpha":
            alphas = set(img.convert("RGBA").getdata(3))
            if not alphas <= {0, 255}:
                found.append("%s: partly transparent pixels" % name)
            if corner[3] != 0:
                found.append("%s: bottom-left pixel is not transparent" % name)
        elif corner[:3] != bg:
            found.append("%s: bottom-left pixel %s is not the key colour %s" % (name, corner, bg))
    for name, _, _, _ in mp.CLAPS:
        path = os.path.join(bitplane, name)
        with open(path, "rb") as f:
            head = f.read(44)
        if len(head) < 44 or head[40:44] != b" EMF":
            found.append("%s: not an enhanced metafile" % name)
    films = os.path.join(bitplane, "filme")
    with open(os.path.join(films, "steuer.txt"), "rb") as f:
        lines = f.read().split(b"\r\n")
    if lines[-1] != b"":
        found.append("steuer.txt: last line has no CR LF")
    listed = [l.decode("ascii") for l in lines[:-1]]
    if len(listed) < 21 + 24:
        found.append("steuer.txt: fewer than 24 frames from entry 20 on")
    for entry in listed:
        if not os.path.exists(os.path.join(films, entry)):
            found.append("steuer.txt: %s does not exist" % entry)
        elif Image.open(os.path.join(films, entry)).size != (60 * SCALE, 60 * SCALE):
            found.append("filme/%s: not 60x60" % entry)
    shipped = 0
    for folder in ("bitplane", "wavs"):
        for base, _, files in os.walk(os.path.join(root, "data", folder)):
            shipped += sum(os.path.getsize(os.path.join(base, n)) for n in files)
    if shipped >= 8 * 1024 * 1024:
        found.append("pictures and sounds take %d bytes, more than 8 MB" % shipped)
    return found, shipped


if __name__ == "__main__":
    problems, size = faults(os.path.abspath(sys.argv[1]))
    for p in problems:
        print(p)
    print("pictures and sounds: %.2f MB, %d faults" % (size / 1048576.0, len(problems)))
    sys.exit(1 if problems else 0)
