"""Small helpers for drawing pictures as SVG and turning them into the shipped PNG files.

Every picture is drawn in its creation size (graph units) and rendered at SCALE times that
size, so that it stays sharp when the program stretches it to the window.
"""

import math
import os
import subprocess
import tempfile

from PIL import Image

SCALE = 2

# Outline colour of every figure: dark enough to read as an outline, bright enough that
# pictures drawn with black as the transparent colour keep it.
OUT = "#2b2a3a"

# Below this brightness a pixel of a black-keyed picture would all but vanish; such pixels
# are lifted to it.
MIN_VISIBLE = 24


def f(v):
    """Formats a coordinate compactly."""
    return ("%.2f" % v).rstrip("0").rstrip(".")


def attrs(fill=None, stroke=None, sw=None, extra=""):
    parts = []
    parts.append('fill="%s"' % (fill if fill else "none"))
    if stroke:
        parts.append('stroke="%s"' % stroke)
        parts.append('stroke-width="%s"' % f(sw if sw is not None else 2))
        parts.append('stroke-linejoin="round" stroke-linecap="round"')
    if extra:
        parts.append(extra)
    return " ".join(parts)


def circle(cx, cy, r, fill=None, stroke=None, sw=None, extra=""):
    return '<circle cx="%s" cy="%s" r="%s" %s/>' % (f(cx), f(cy), f(r),
                                                   attrs(fill, stroke, sw, extra))


def ellipse(cx, cy, rx, ry, fill=None, stroke=None, sw=None, rot=0, extra=""):
    tr = ' transform="rotate(%s %s %s)"' % (f(rot), f(cx), f(cy)) if rot else ""
    return '<ellipse cx="%s" cy="%s" rx="%s" ry="%s"%s %s/>' % (
        f(cx), f(cy), f(rx), f(ry), tr, attrs(fill, stroke, sw, extra))


def rect(x, y, w, h, fill=None, stroke=None, sw=None, rx=0, extra=""):
    return '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" %s/>' % (
        f(x), f(y), f(w), f(h), f(rx), attrs(fill, stroke, sw, extra))


def path(d, fill=None, stroke=None, sw=None, extra=""):
    return '<path d="%s" %s/>' % (d, attrs(fill, stroke, sw, extra))


def poly(points, fill=None, stroke=None, sw=None, closed=True, extra=""):
    pts = " ".join("%s,%s" % (f(x), f(y)) for x, y in points)
    tag = "polygon" if closed else "polyline"
    return '<%s points="%s" %s/>' % (tag, pts, attrs(fill, stroke, sw, extra))


def line(x1, y1, x2, y2, stroke=OUT, sw=2, extra=""):
    return '<line x1="%s" y1="%s" x2="%s" y2="%s" %s/>' % (
        f(x1), f(y1), f(x2), f(y2), attrs(None, stroke, sw, extra))


def limb(points, colour, width, outline=OUT, ow=None):
    """A rounded limb along points: an outline stroke with the coloured stroke on top."""
    ow = ow if ow is not None else width + 3
    return (poly(points, None, outline, ow, closed=False) +
            poly(points, None, colour, width, closed=False))


def group(body, transform=""):
    return '<g transform="%s">%s</g>' % (transform, body) if transform else "<g>%s</g>" % body


def mirror(body, width):
    return group(body, "translate(%s 0) scale(-1 1)" % f(width))


def outlined(shapes, sw):
    """Draws a union of filled shapes with one outline around the whole silhouette.

    shapes: list of (kind, args, fill). The outline pass strokes every shape with twice the
    width, then the fill pass paints the shapes without stroke, hiding inner outlines.
    """
    back = []
    front = []
    for make, args, fill in shapes:
        back.append(make(*args, fill=OUT, stroke=OUT, sw=sw * 2))
        front.append(make(*args, fill=fill))
    return "".join(back) + "".join(front)


def svg(w, h, body, bg=None):
    head = ('<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" '
            'viewBox="0 0 %s %s">' % (f(w), f(h), f(w), f(h)))
    back = rect(0, 0, w, h, bg) if bg else ""
    return head + back + body + "</svg>"


def rad(deg):
    return deg * math.pi / 180.0


def render(svg_text, w, h, scale=SCALE):
    """Renders SVG text to an RGBA image of (w, h) graph units times scale."""
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "p.svg")
        dst = os.path.join(tmp, "p.png")
        with open(src, "w", encoding="utf-8") as out:
            out.write(svg_text)
        subprocess.run(["rsvg-convert", "-w", str(int(w * scale)), "-h", str(int(h * scale)),
                        "-o", dst, src], check=True)
        img = Image.open(dst).convert("RGBA")
        img.load()
        return img


def black_keyed(img):
    """Opaque RGB picture on pure black: covered pixels keep their colour, never near-black.

    The program draws these pictures with black as the transparent colour, so edge pixels
    are decided (covered or not) instead of being blended towards black.
    """
    out = Image.new("RGB", img.size, (0, 0, 0))
    src = img.load()
    dst = out.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            r, g, b, a = src[x, y]
            if a < 128:
                continue
            if a < 255:
                r, g, b = (min(255, int(c * 255 / a)) for c in (r, g, b))
            if max(r, g, b) < MIN_VISIBLE:
                r, g, b = (max(c, MIN_VISIBLE) for c in (r, g, b))
            dst[x, y] = (r, g, b)
    return out


def on_colour(img, colour):
    """Flattens a picture onto an opaque background colour (smooth edges)."""
    back = Image.new("RGBA", img.size, colour + (255,))
    back.alpha_composite(img)
    return back.convert("RGB")


def hard_alpha(img):
    """RGBA picture whose pixels are either fully covered or fully transparent (black)."""
    out = Image.new("RGBA", img.size, (0, 0, 0, 0))
    src = img.load()
    dst = out.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            r, g, b, a = src[x, y]
            if a < 128:
                continue
            if a < 255:
                r, g, b = (min(255, int(c * 255 / a)) for c in (r, g, b))
            if max(r, g, b) < MIN_VISIBLE:
                r, g, b = (max(c, MIN_VISIBLE) for c in (r, g, b))
            dst[x, y] = (r, g, b, 255)
    return out


def save_png(img, filename):
    os.makedirs(os.path.dirname(filename), exist_ok=True)
    img.save(filename, "PNG", optimize=True)
