"""Builds every exercise picture into data/bitplane/ and the review sheet.

Usage: make_pictures.py REPO_ROOT
"""

import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

import figures as fig
from svglib import group, svg, render, black_keyed, on_colour, hard_alpha, save_png, SCALE

NAVY = (0, 0, 128)            # key colour of the converting exercise's characters
LIGHT_GREY = (160, 160, 160)  # screen colour 7, behind the faces and the small pictures
GROUND = (64, 64, 64)         # screen colour 8, the building site's ground: key colour of
                              # the barrow pictures and of the end scene


def pictures():
    """(file name, width, height, background, svg body); background None = black key."""
    out = []
    for n in range(11):
        out.append(("Dino%d.png" % n, 136, 136, None, fig.dino_frame(n)))
    for n in range(5):
        out.append(("Feuer%d.png" % n, 136, 136, None, fig.fire_frame(n)))
    for k in range(4):
        out.append(("girl%d.png" % (k + 1), 48, 100, None, fig.runner_frame(2, k)))
    for k in range(4):
        out.append(("girl%d.png" % (k + 5), 48, 100, None, fig.runner_frame(1, k)))
    for n in range(1, 7):
        out.append(("schildk%d.png" % n, 86, 48, None,
                    group(fig.turtle_frame(n), "translate(43 45) scale(0.94) translate(-43 -45)")))
    # The jaws and the brush keep one unit clear of the edges, which loading cuts off.
    inset = "translate(48 12) scale(0.96 0.9) translate(-48 -12)"
    out.append(("Mund1.png", 96, 24, None, group(fig.jaw(True), inset)))
    out.append(("Mund2.png", 96, 24, None, group(fig.jaw(False), inset)))
    out.append(("Mund3.png", 96, 24, None, group(fig.jaw(True, broken=True), inset)))
    out.append(("Mund4.png", 96, 24, None, group(fig.jaw(False, broken=True), inset)))
    out.append(("Mund5.png", 96, 48, None, fig.falling_teeth()))
    # Drawn at the jaws' and the brush's resting places to clear them: deliberately empty.
    out.append(("Mund6.png", 96, 24, None, ""))
    out.append(("putzen1.png", 96, 24, None, group(fig.tooth_brush(), inset)))
    out.append(("stecker1.png", 48, 48, None, fig.plug("#e8413c", True)))
    out.append(("stecker2.png", 48, 48, None, fig.plug("#3f7fe0", False)))
    out.append(("stecker3.png", 48, 48, None, fig.lamp(False)))
    out.append(("stecker4.png", 48, 48, None, fig.lamp(True)))
    out.append(("stecker5.png", 48, 48, None, fig.spare_plug()))
    # Shown where a plug has left: it only clears the place.
    out.append(("stecker6.png", 48, 48, None, ""))
    moods = {1: ("bear", "neutral"), 2: ("bear", "pleased"), 3: ("bunny", "neutral"),
             4: ("bunny", "pleased"), 5: ("bunny", "sad"), 6: ("bear", "sad")}
    for n, (who, mood) in moods.items():
        body = fig.bear(mood) if who == "bear" else fig.bunny(mood)
        out.append(("micky%d.png" % n, 96, 90, NAVY, body))
    for n in range(1, 7):
        out.append(("kuss%d.png" % n, 96, 96, LIGHT_GREY, fig.kuss_frame(n)))
    for n in (1, 2, 3, 6):
        out.append(("karre%d.png" % n, 60, 60, GROUND, fig.karre_frame(n)))
    out.append(("karre4.png", 42, 42, LIGHT_GREY, fig.cone()))
    out.append(("karre5.png", 42, 42, LIGHT_GREY, fig.brick_pile()))
    return out


POINTERS = [("maushand.png", 40, 48, fig.open_hand), ("mausfaust.png", 40, 48, fig.fist)]
CLAPS = [("klatschauf.emf", 100, 80, False), ("klatschzu.emf", 100, 80, True)]


def film_names(count):
    return ["film%02d.png" % (i + 1) for i in range(count)]


def control_lines(names):
    """The end scene's control file: every frame once, the last one held a little longer."""
    return names + [names[-1]] * 3


def build(root):
    bitplane = os.path.join(root, "data", "bitplane")
    films = os.path.join(bitplane, "filme")
    sheet = []

    for name, w, h, bg, body in pictures():
        img = render(svg(w, h, body), w, h)
        out = black_keyed(img) if bg is None else on_colour(img, bg)
        save_png(out, os.path.join(bitplane, name))
        sheet.append(("", name, w, h, out))

    for name, w, h, draw in POINTERS:
        body = group(draw(), "translate(20 24) scale(0.9) translate(-20 -24)")
        out = hard_alpha(render(svg(w, h, body), w, h))
        save_png(out, os.path.join(bitplane, name))
        sheet.append(("", name, w, h, out))

    for name, w, h, closed in CLAPS:
        text = svg(w, h, fig.clapping(closed))
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "clap.svg")
            with open(src, "w", encoding="utf-8") as o:
                o.write(text)
            dst = os.path.join(bitplane, name)
            subprocess.run(["inkscape", src, "--export-type=emf", "--export-filename=" + dst],
                           check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Review the metafile itself: convert it back to a picture.
            back = os.path.join(tmp, "back.png")
            subprocess.run(["inkscape", dst, "--export-type=png", "--export-filename=" + back,
                            "--export-width=%d" % (w * SCALE)], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            img = Image.open(back).convert("RGBA")
            img.load()
        sheet.append(("", name, w, h, on_colour(img, (255, 255, 255))))

    if os.path.isdir(films):
        shutil.rmtree(films)
    os.makedirs(films)
    frames = fig.film_frames()
    names = film_names(len(frames))
    for name, body in zip(names, frames):
        out = on_colour(render(svg(60, 60, body), 60, 60), GROUND)
        save_png(out, os.path.join(films, name))
        sheet.append(("filme/", name, 60, 60, out))
    with open(os.path.join(films, "steuer.txt"), "wb") as o:
        o.write(b"".join(line.encode("ascii") + b"\r\n" for line in control_lines(names)))

    contact_sheet(sheet, os.path.join(root, "tools", "pictures", "contact-sheet.png"))


def contact_sheet(items, filename):
    """One sheet with every picture at its creation size, labelled with its name."""
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 10)
    width, pad, label = 1100, 8, 13
    x = y = pad
    row_h = 0
    placed = []
    for folder, name, w, h, img in items:
        cell_w = max(w, int(font.getlength(folder + name)) + 30) + pad
        if x + cell_w > width:
            x = pad
            y += row_h + pad
            row_h = 0
        placed.append((x, y, folder + name, w, h, img))
        x += cell_w
        row_h = max(row_h, h + label)
    sheet = Image.new("RGB", (width, y + row_h + pad), (236, 232, 222))
    draw = ImageDraw.Draw(sheet)
    for x, y, name, w, h, img in placed:
        small = img.resize((w, h), Image.LANCZOS)
        if small.mode == "RGBA":
            under = Image.new("RGBA", (w, h), (255, 0, 255, 255))
            under.alpha_composite(small)
            small = under.convert("RGB")
        sheet.paste(small, (x, y))
        draw.rectangle([x - 1, y - 1, x + w, y + h], outline=(120, 120, 120))
        text = name.replace(".png", "")
        if small.getbbox() is None:
            text += " (leer)"
        draw.text((x, y + h + 1), text, fill=(20, 20, 20), font=font)
    sheet.save(filename, "PNG", optimize=True)


if __name__ == "__main__":
    build(os.path.abspath(sys.argv[1]))
