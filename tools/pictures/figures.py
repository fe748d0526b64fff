"""The figures of the exercises, drawn as SVG in their creation size (graph units).

Every function returns the SVG body of one picture; make_pictures.py renders and stores them.
"""

import math
import random

from svglib import (OUT, circle, ellipse, rect, path, poly, line, limb, group, mirror,
                    outlined, rad, f)

# ---------------------------------------------------------------------------------------
# Dinosaur, 136 x 136, facing left, feet on y 132.

DINO_GREEN = "#5cc45a"
DINO_DARK = "#3f9a48"
DINO_BELLY = "#eef39a"
DINO_SPIKE = "#ff9f2e"
CHEEK = "#ff8fa6"
WHITE = "#ffffff"
MOUTH = "#b3263a"
TONGUE = "#ff7c8f"


def dino(legs, arms, face="smile", eyes="open", tail=0.0, bob=0.0, notes=False):
    """legs: (near foot, far foot) as (x, lift); arms: (near hand, far hand) points."""
    s = []
    hip_near, hip_far = (66, 98 + bob), (84, 98 + bob)

    def leg(hip, foot, colour):
        fx, lift = foot
        fy = 127.5 - lift
        knee = ((hip[0] + fx) / 2 + 3, (hip[1] + fy) / 2 - lift * 0.3)
        return (limb([hip, knee, (fx, fy - 3)], colour, 11) +
                ellipse(fx - 2, fy, 9.5, 4.8, colour, OUT, 1.8))

    def arm(shoulder, hand, colour):
        return limb([shoulder, hand], colour, 6, ow=9) + circle(hand[0], hand[1], 3.6, colour,
                                                                OUT, 1.6)

    s.append(leg(hip_far, legs[1], DINO_DARK))
    s.append(arm((56, 72 + bob), arms[1], DINO_DARK))

    # Back plates behind the body.
    for i, (px, py, size) in enumerate([(50, 34, 8), (62, 52, 9), (76, 50, 10), (90, 53, 9),
                                        (103, 62, 8), (115, 72 + tail * 0.5, 6)]):
        py += bob
        s.append(poly([(px - size * 0.75, py + 4), (px, py - size), (px + size * 0.75, py + 4)],
                      DINO_SPIKE, OUT, 1.8))

    tail_tip = (134, 98 + tail + bob)
    silhouette = [
        (ellipse, (74, 80 + bob, 34, 27), DINO_GREEN),
        (path, ("M 98 64 Q 122 72 %s %s Q 118 98 96 96 Z" % (f(tail_tip[0]), f(tail_tip[1]))
                ,), DINO_GREEN),
        (poly, ([(36, 52 + bob), (50, 34 + bob), (66, 58 + bob), (58, 84 + bob)],), DINO_GREEN),
        (circle, (38, 38 + bob, 21), DINO_GREEN),
        (ellipse, (22, 47 + bob, 19, 13), DINO_GREEN),
    ]
    s.append(outlined(silhouette, 1.9))
    s.append(ellipse(70, 90 + bob, 22, 14, DINO_BELLY))
    for i in range(3):
        y = 84 + i * 6 + bob
        s.append(path("M %s %s Q 70 %s %s %s" % (f(54 + i * 2), f(y), f(y + 3), f(86 - i * 2),
                                                  f(y)), None, "#c9d36c", 1.4))
    # Spots on the back.
    for cx, cy, r in [(80, 66, 3.2), (92, 74, 2.6), (68, 62, 2.4)]:
        s.append(circle(cx, cy + bob, r, DINO_DARK))

    # Face.
    s.append(ellipse(38, 55 + bob, 5.5, 3.5, CHEEK, extra='opacity="0.75"'))
    s.append(circle(7, 43 + bob, 1.5, OUT))
    if eyes == "open":
        s.append(ellipse(33, 33 + bob, 7, 8, WHITE, OUT, 1.6))
        s.append(circle(30, 34 + bob, 3.8, OUT))
        s.append(circle(28.8, 32.6 + bob, 1.4, WHITE))
        s.append(path("M 26 %s Q 32 %s 39 %s" % (f(23 + bob), f(20 + bob), f(24 + bob)), None,
                      OUT, 1.6))
    else:
        s.append(path("M 26 %s Q 33 %s 40 %s" % (f(35 + bob), f(27 + bob), f(35 + bob)), None,
                      OUT, 2.2))
    if face == "smile":
        s.append(path("M 6 %s Q 18 %s 31 %s" % (f(53 + bob), f(62 + bob), f(55 + bob)), None,
                      OUT, 2))
    else:
        s.append(path("M 6 %s Q 18 %s 31 %s Q 17 %s 6 %s Z" % (
            f(52 + bob), f(54 + bob), f(52 + bob), f(70 + bob), f(52 + bob)), MOUTH, OUT, 1.8))
        s.append(path("M 12 %s Q 18 %s 25 %s Q 18 %s 12 %s Z" % (
            f(61 + bob), f(57 + bob), f(61 + bob), f(66 + bob), f(61 + bob)), TONGUE))

    s.append(leg(hip_near, legs[0], DINO_GREEN))
    s.append(arm((50, 76 + bob), arms[0], DINO_GREEN))

    if notes:
        s.append(note(12, 14, "#ffd23f"))
        s.append(note(112, 22, "#5ad1ff"))
    return "".join(s)


def note(x, y, colour):
    return (ellipse(x, y + 12, 4.5, 3.4, colour, OUT, 1.4, rot=-20) +
            line(x + 4, y + 11, x + 4, y - 2, OUT, 2.2) +
            path("M %s %s Q %s %s %s %s" % (f(x + 4), f(y - 2), f(x + 11), f(y + 1),
                                            f(x + 10), f(y + 7)), None, OUT, 2.2))


def clap_marks(x, y):
    s = ""
    for ang in (-155, -125, 160, 130):
        a = rad(ang)
        s += line(x + 7 * math.cos(a), y + 7 * math.sin(a), x + 13 * math.cos(a),
                  y + 13 * math.sin(a), "#ffd23f", 2.4)
    return s


def dino_frame(n):
    return group(dino_pose(n), "translate(68 133) scale(0.95) translate(-68 -133)")


def dino_pose(n):
    walk = {0: 0, 1: 90, 2: 180, 3: 270, 4: 300, 5: 330}
    if n in walk:
        phi = rad(walk[n])
        near = (66 - 17 * math.sin(phi), 9 * max(0.0, math.cos(phi)))
        far = (84 - 17 * math.sin(phi + math.pi), 9 * max(0.0, math.cos(phi + math.pi)))
        bob = -1.2 * abs(math.sin(phi))
        swing = 6 * math.sin(phi)
        arms = ((40 + swing, 88), (46 - swing, 84))
        return dino((near, far), arms, tail=4 * math.sin(phi), bob=bob)
    stand = ((62, 0), (86, 0))
    together = ((22, 80), (21, 77))
    apart = ((27, 92), (19, 66))
    if n == 6:
        return dino(stand, together, face="open", eyes="closed", tail=-4) + clap_marks(19, 79)
    if n == 7:
        return dino(stand, apart, face="open", tail=2)
    if n == 8:
        return dino(((56, 16), (86, 0)), ((18, 84), (22, 70)), face="open", eyes="closed",
                    tail=-10, notes=True)
    if n == 9:
        return dino(stand, together, face="open", tail=-4) + clap_marks(19, 79)
    if n == 10:
        return dino(((62, 0), (94, 16)), ((30, 96), (16, 72)), face="open", tail=8, bob=-2,
                    notes=True)
    raise ValueError(n)


# ---------------------------------------------------------------------------------------
# Flames, 136 x 136, centred on x 80, standing on y 134.

def flame(cx, base, w, h, lean, colour):
    d = ("M %s %s C %s %s %s %s %s %s C %s %s %s %s %s %s "
         "Q %s %s %s %s Z") % (
        f(cx - w), f(base - w * 0.6),
        f(cx - w), f(base - h * 0.55), f(cx + lean - w * 0.25), f(base - h * 0.7),
        f(cx + lean), f(base - h),
        f(cx + lean + w * 0.25), f(base - h * 0.7), f(cx + w), f(base - h * 0.55),
        f(cx + w), f(base - w * 0.6),
        f(cx), f(base + w * 0.45), f(cx - w), f(base - w * 0.6))
    return path(d, colour)


def fire_frame(n):
    rnd = random.Random(100 + n)
    s = []
    layers = [("#e8321e", 1.0), ("#ff7a1a", 0.78), ("#ffc21f", 0.55), ("#fff2a0", 0.3)]
    tongues = [(-34, 16, 62), (-16, 20, 96), (2, 22, 118), (20, 19, 90), (36, 15, 58)]
    for li, (colour, k) in enumerate(layers):
        for ti, (dx, w, h) in enumerate(tongues):
            phase = n * 1.7 + ti * 1.3
            hh = h * k * (0.82 + 0.18 * math.sin(phase)) + rnd.uniform(-4, 4)
            lean = 9 * math.sin(phase * 0.9 + li) * k
            s.append(flame(80 + dx * (0.6 + 0.4 * k), 132, w * (0.55 + 0.45 * k), hh, lean,
                           colour))
    # Embers.
    for i in range(7):
        x = 80 + rnd.uniform(-46, 46)
        y = 40 + ((i * 23 + n * 17) % 70)
        s.append(circle(x, y, rnd.uniform(1.4, 2.6), rnd.choice(["#ffd23f", "#ff9a2e"])))
    # Glowing logs under the fire.
    s.append(rect(44, 126, 72, 8, "#8a4b22", OUT, 1.6, rx=4))
    s.append(rect(52, 122, 56, 7, "#a65c2a", OUT, 1.6, rx=3.5, extra='transform="rotate(-6 80 125)"'))
    return "".join(s)


# ---------------------------------------------------------------------------------------
# Runners, 48 x 100, facing right, feet on y 97.

RUNNERS = {
    # Runner 1: a girl with blond pigtails in a red shirt.
    1: dict(skin="#ffd2b0", hair="#f2c233", shirt="#e8413c", shorts="#3d5fc4", shoe="#ffffff",
            sock="#ffffff", style="pigtails", number="#ffffff"),
    # Runner 2: a girl with dark curls, a head band and a green shirt.
    2: dict(skin="#a8693f", hair="#4a2c1c", shirt="#33b24a", shorts="#7b3fa0", shoe="#ffd23f",
            sock="#ffffff", style="curls", number="#ffffff"),
}


def runner_frame(who, k):
    c = RUNNERS[who]
    phi = rad(k * 90 + 20)

    def pt(o, length, ang):
        return (o[0] + length * math.sin(rad(ang)), o[1] + length * math.cos(rad(ang)))

    def leg(ph):
        thigh = 28 * math.sin(ph)
        bend = 12 + 62 * max(0.0, math.cos(ph))
        hip = (25.5, 0)
        knee = pt(hip, 17.5, thigh)
        foot = pt(knee, 17.5, thigh - bend)
        return hip, knee, foot

    def arm(ph):
        upper = -40 * math.sin(ph)
        shoulder = (23, -28)
        elbow = pt(shoulder, 12, upper)
        hand = pt(elbow, 11, upper + 95)
        return shoulder, elbow, hand

    near, far = leg(phi), leg(phi + math.pi)
    # Put the lower foot on the ground line.
    ground = 93.5
    low = max(near[2][1], far[2][1])
    dy = ground - low
    # The hips sit at y 0 of the limb frame.
    def mv(p):
        return (p[0], p[1] + dy)

    s = []

    def draw_leg(l, shade):
        hip, knee, foot = map(mv, l)
        skin = c["skin"] if not shade else shade_of(c["skin"])
        part = limb([hip, knee], c["shorts"] if not shade else shade_of(c["shorts"]), 6.5)
        part += limb([knee, foot], skin, 5.5)
        sock_at = (knee[0] + (foot[0] - knee[0]) * 0.7, knee[1] + (foot[1] - knee[1]) * 0.7)
        part += limb([sock_at, foot], c["sock"] if not shade else "#d8d8e0", 5.5)
        part += ellipse(foot[0] + 3, foot[1] + 0.5, 5.6, 3.0,
                        c["shoe"] if not shade else shade_of(c["shoe"]), OUT, 1.4)
        return part

    def draw_arm(a, shade):
        sh, el, ha = map(mv, a)
        skin = c["skin"] if not shade else shade_of(c["skin"])
        return (limb([sh, el], c["shirt"] if not shade else shade_of(c["shirt"]), 5.5) +
                limb([el, ha], skin, 4.5) + circle(ha[0], ha[1], 2.6, skin, OUT, 1.2))

    top = mv((0, -32))[1]
    hipy = mv((0, 0))[1]
    # The upper body leans forward into the run.
    lean = "rotate(7 22 %s)" % f(hipy)
    s.append(group(draw_arm(arm(phi), True), lean))
    s.append(draw_leg(far, True))
    s.append(draw_leg(near, False))
    legs_done = len(s)
    s.append(path("M 16 %s Q 22 %s 30 %s L 29 %s Q 22 %s 15 %s Z" % (
        f(top + 3), f(top - 1), f(top + 4), f(hipy + 2), f(hipy + 4), f(hipy + 1)),
        c["shirt"], OUT, 1.6))
    s.append(circle(23, top + 13, 3.2, c["number"], OUT, 0.8))
    s.append(path("M 15 %s L 29.5 %s L 30 %s Q 22 %s 14.5 %s Z" % (
        f(hipy - 3), f(hipy - 3), f(hipy + 3), f(hipy + 6), f(hipy + 3)), c["shorts"], OUT, 1.4))
    hy = top - 9
    s.append(rect(21, top - 3, 5, 5, c["skin"]))
    if c["style"] == "pigtails":
        s.append(ellipse(13, hy - 1, 4, 6, c["hair"], OUT, 1.3, rot=-35))
        s.append(ellipse(12.5, hy + 7, 3.2, 5, c["hair"], OUT, 1.3, rot=-10))
        s.append(circle(16, hy + 1, 1.8, "#e8413c"))
    else:
        for ox, oy in [(-5, -6), (0, -9), (5, -8), (-8, 0), (-7, 5)]:
            s.append(circle(25 + ox, hy + oy, 4.5, c["hair"], OUT, 1.3))
    s.append(circle(25, hy, 8.5, c["skin"], OUT, 1.6))
    if c["style"] == "pigtails":
        s.append(path("M 16.5 %s Q 24 %s 33 %s Q 28 %s 22 %s Q 19 %s 16.5 %s Z" % (
            f(hy - 1), f(hy - 13), f(hy - 3), f(hy - 6), f(hy - 4), f(hy - 1), f(hy - 1)),
            c["hair"], OUT, 1.2))
    else:
        s.append(path("M 16.5 %s Q 25 %s 33.5 %s Q 25 %s 16.5 %s Z" % (
            f(hy - 2), f(hy - 14), f(hy - 2), f(hy - 8), f(hy - 2)), c["hair"], OUT, 1.2))
        s.append(path("M 17 %s Q 25 %s 33 %s" % (f(hy - 3), f(hy - 8), f(hy - 3)), None,
                      "#ffd23f", 2.2))
    s.append(circle(29, hy - 0.5, 1.5, OUT))
    s.append(circle(29.4, hy - 1, 0.5, "#ffffff"))
    s.append(ellipse(28, hy + 3.5, 2.2, 1.4, CHEEK, extra='opacity="0.8"'))
    s.append(path("M 27 %s Q 30 %s 32.5 %s" % (f(hy + 4.5), f(hy + 6.5), f(hy + 4)), None,
                  OUT, 1.2))
    s.append(draw_arm(arm(phi + math.pi), False))
    s[legs_done:] = [group("".join(s[legs_done:]), lean)]
    # Speed lines behind the runner.
    for i, y in enumerate([top + 6, top + 14, top + 22]):
        s.append(line(2 + (i + k) % 2 * 2, y, 9, y, "#cfe8ff", 1.2))
    return group("".join(s), "translate(24 97) scale(0.9) translate(-24 -97)")


def shade_of(hex_colour, k=0.72):
    r, g, b = (int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))
    return "#%02x%02x%02x" % tuple(max(30, int(c * k)) for c in (r, g, b))


# ---------------------------------------------------------------------------------------
# Turtle, 86 x 48, facing right, feet on y 46.

SHELL = "#3fa34d"
SHELL_LIGHT = "#7ccf5a"
TURTLE_SKIN = "#b5dd6a"


def turtle(legs, head="out", eyes="open", lift=0.0, ground=45.0):
    """legs: x offsets of (back far, front far, back near, front near) feet and lifts."""
    s = []
    g = ground

    def foot(x, up, colour):
        return (rect(x - 4.5, g - 11 - up, 9, 11, colour, OUT, 1.5, rx=4) +
                ellipse(x + 0.5, g - 2 - up, 5.5, 2.8, colour, OUT, 1.3))

    bf, ff, bn, fn = legs
    dark = shade_of(TURTLE_SKIN, 0.8)
    s.append(foot(26 + bf[0], bf[1], dark))
    s.append(foot(58 + ff[0], ff[1], dark))
    s.append(path("M 12 %s Q 4 %s 3 %s Q 9 %s 14 %s Z" % (f(g - 14), f(g - 13), f(g - 9),
                                                          f(g - 11), f(g - 10)),
                  TURTLE_SKIN, OUT, 1.4))
    if head == "out":
        hx, hy = 72, g - 24 - lift
        s.append(limb([(60, g - 14 - lift), (hx - 2, hy + 4)], TURTLE_SKIN, 8))
        s.append(ellipse(hx, hy, 10, 8, TURTLE_SKIN, OUT, 1.6))
        if eyes == "open":
            s.append(ellipse(hx + 3, hy - 2.5, 2.8, 3.2, "#ffffff", OUT, 1.1))
            s.append(circle(hx + 4, hy - 2.3, 1.5, OUT))
        else:
            s.append(path("M %s %s Q %s %s %s %s" % (f(hx), f(hy - 2), f(hx + 3), f(hy - 5),
                                                     f(hx + 6), f(hy - 2)), None, OUT, 1.4))
        s.append(path("M %s %s Q %s %s %s %s" % (f(hx + 2), f(hy + 3), f(hx + 6), f(hy + 5.5),
                                                 f(hx + 9), f(hy + 2)), None, OUT, 1.3))
        s.append(ellipse(hx + 1, hy + 3, 2, 1.3, CHEEK, extra='opacity="0.8"'))
    else:
        s.append(ellipse(66, g - 15, 5, 5, TURTLE_SKIN, OUT, 1.4))
        s.append(path("M 64 %s L 68 %s" % (f(g - 16), f(g - 16)), None, OUT, 1.2))
    # Shell.
    top = g - 42 - lift
    s.append(path("M 10 %s Q 12 %s 36 %s Q 62 %s 66 %s Z" % (
        f(g - 12 - lift), f(top), f(top - 1), f(top), f(g - 12 - lift)), SHELL, OUT, 1.8))
    s.append(rect(8, g - 16 - lift, 60, 6, "#e6c85a", OUT, 1.5, rx=3))
    for cx, cy, r in [(37, top + 13, 7), (23, top + 19, 5), (51, top + 19, 5)]:
        s.append(poly([(cx + r * math.cos(rad(a)), cy + r * math.sin(rad(a)))
                       for a in range(0, 360, 60)], SHELL_LIGHT, "#2f7a3a", 1.2))
    s.append(path("M 20 %s Q 30 %s 40 %s" % (f(top + 5), f(top + 1.5), f(top + 2)), None,
                  "#b8f08a", 1.6))
    s.append(foot(22 + bn[0], bn[1], TURTLE_SKIN))
    s.append(foot(54 + fn[0], fn[1], TURTLE_SKIN))
    return "".join(s)


def turtle_frame(n):
    still = [(0, 0)] * 4
    if n == 1:
        return turtle(still)
    if n == 2:
        # Drawn 2 units lower than the other frames: its ground line is 2 units higher
        # (after the 0.94 inset that make_pictures.py applies to every turtle frame).
        return turtle([(3, 0), (-3, 3), (-3, 3), (3, 0)], ground=45.0 - 2.0 / 0.94)
    if n == 3:
        return turtle([(0, 3), (0, 0), (0, 0), (0, 3)], lift=0.5)
    if n == 4:
        return turtle([(-3, 0), (3, 3), (3, 3), (-3, 0)])
    if n == 5:
        return turtle(still, head="in")
    if n == 6:
        return turtle(still, eyes="closed", lift=1)
    raise ValueError(n)


# ---------------------------------------------------------------------------------------
# Jaws, 96 x 24 (Mund1..4, Mund6) and 96 x 48 (Mund5).

GUM = "#f0708a"
GUM_DARK = "#c94d68"
TOOTH = "#fbfbf4"
CRACK = "#7a7a88"


def tooth_path(x, w, root, tip, broken=None):
    """One tooth from the gum line root to its tip (tip below root: upper jaw)."""
    sign = 1 if tip > root else -1
    if broken:
        j = broken
        pts = [(x, root), (x, tip - sign * (2 + j[0])), (x + w * 0.25, tip - sign * (4 + j[1])),
               (x + w * 0.45, tip - sign * (1 + j[2])), (x + w * 0.7, tip - sign * (5 + j[0])),
               (x + w, tip - sign * (3 + j[1])), (x + w, root)]
        crack = poly([(x + w * 0.55, root + sign * 1), (x + w * 0.35, root + sign * 4),
                      (x + w * 0.6, root + sign * 6), (x + w * 0.4, root + sign * 9)],
                     None, CRACK, 1.2, closed=False)
        return poly(pts, TOOTH, OUT, 1.3) + crack
    d = "M %s %s L %s %s Q %s %s %s %s Q %s %s %s %s L %s %s Z" % (
        f(x), f(root), f(x), f(tip - sign * 4), f(x), f(tip), f(x + w / 2), f(tip),
        f(x + w), f(tip), f(x + w), f(tip - sign * 4), f(x + w), f(root))
    return path(d, TOOTH, OUT, 1.3)


TEETH = [(6, 11), (17, 10), (27, 10), (37, 11), (48, 11), (59, 10), (69, 10), (79, 11)]


def jaw(upper, broken=False):
    """A jaw; a broken one has cracked, chipped teeth and two knocked out."""
    s = []
    rnd = random.Random(7 if upper else 8)
    missing = {2, 5} if upper else {1, 6}
    root, tip = (9, 22) if upper else (15, 2)
    for i, (x, w) in enumerate(TEETH):
        if broken and i in missing:
            continue
        jag = (rnd.uniform(0, 2), rnd.uniform(0, 2), rnd.uniform(0, 2)) if broken else None
        s.append(tooth_path(x, w, root, tip, jag))
    if upper:
        s.append(path("M 2 2 Q 48 -1 94 2 L 94 8 Q 90 12 84 10 Q 48 13 12 10 Q 6 12 2 8 Z",
                      GUM, OUT, 1.6))
        s.append(path("M 10 5 Q 48 3 86 5", None, "#ffb0c0", 1.4))
    else:
        s.append(path("M 2 16 Q 6 12 12 14 Q 48 11 84 14 Q 90 12 94 16 L 94 22 Q 48 25 2 22 Z",
                      GUM, OUT, 1.6))
        s.append(path("M 10 19 Q 48 21 86 19", None, GUM_DARK, 1.4))
    return "".join(s)


def falling_teeth():
    s = []
    rnd = random.Random(55)
    for i, (x, y) in enumerate([(8, 6), (22, 24), (36, 10), (50, 30), (62, 6), (76, 22),
                                (88, 36), (14, 40), (44, 40), (70, 40)]):
        ang = rnd.uniform(-60, 60)
        w, h = rnd.uniform(6, 9), rnd.uniform(5, 8)
        pts = [(-w / 2, -h / 2), (w / 2, -h / 2), (w / 2 - 1, h / 4), (w * 0.1, h / 2),
               (-w * 0.2, h / 4), (-w / 2, h / 2)]
        body = poly(pts, TOOTH, OUT, 1.2)
        s.append(group(body, "translate(%s %s) rotate(%s)" % (f(x), f(y), f(ang))))
    for x, y in [(30, 4), (58, 18), (82, 8), (4, 28)]:
        s.append(line(x, y, x + 2, y + 5, "#cfd8ff", 1.2))
    return "".join(s)


def tooth_brush():
    s = []
    s.append(path("M 30 13 L 88 11 Q 95 12 94 16 Q 93 20 86 20 L 30 19 Z", "#2fb5d6", OUT, 1.6))
    s.append(path("M 40 14.5 L 86 13.5", None, "#a8ecff", 1.4))
    s.append(rect(2, 11, 32, 8, "#2fb5d6", OUT, 1.6, rx=3))
    for i in range(8):
        x = 4 + i * 3.6
        s.append(rect(x, 2, 2.8, 9.5, "#ffffff" if i % 2 else "#bfe9ff", OUT, 0.9, rx=1))
    s.append(path("M 4 3 Q 10 -1 16 2 Q 22 -1 30 3 L 30 6 L 4 6 Z", "#ffffff", OUT, 1.1))
    s.append(path("M 8 3 Q 14 1 20 3", None, "#6fd0ff", 1.2))
    return "".join(s)


# ---------------------------------------------------------------------------------------
# Plugs and lamp, 48 x 48.

def plug(body_colour, pins_to_right=True):
    """Left plug: cable from the bottom-left corner, pins pointing at (42, 6)."""
    s = []
    s.append(limb([(3.5, 44.5), (7, 41), (12, 37)], "#5a5a66", 5, ow=8))
    body = poly([(10, 32), (24, 18), (34, 28), (20, 42)], body_colour, OUT, 1.8)
    s.append(body)
    s.append(poly([(13, 33), (24, 22), (27, 25), (16, 36)], shade_of(body_colour, 1.3) if False
                  else "#ffffff", None, None, extra='opacity="0.35"'))
    s.append(poly([(24, 18), (30, 12), (40, 22), (34, 28)], shade_of(body_colour, 0.8), OUT, 1.6))
    for ax, ay in [(31, 15), (37, 21)]:
        s.append(limb([(ax, ay), (ax + 7, ay - 7)], "#d9dde6", 3.2, ow=5.4))
    for ox, oy in [(17, 31), (21, 35)]:
        s.append(line(ox, oy, ox + 6, oy - 6, shade_of(body_colour, 0.7), 1.4))
    body_all = "".join(s)
    return body_all if pins_to_right else mirror(body_all, 48)


def lamp(on):
    s = []
    if on:
        for a in range(0, 360, 30):
            if 60 < a < 120:
                continue
            x1, y1 = 24 + 17 * math.cos(rad(a)), 17 + 17 * math.sin(rad(a))
            x2, y2 = 24 + 23 * math.cos(rad(a)), 17 + 23 * math.sin(rad(a))
            s.append(line(x1, y1, x2, y2, "#ffe14d" if a % 60 else "#ff9f2e", 2.4))
        s.append(circle(24, 17, 15, "#fff3a6", extra='opacity="0.45"'))
    glass = "#ffe23f" if on else "#dfe6ee"
    s.append(path("M 17 29 Q 11 24 12 16 Q 13 5 24 4 Q 35 5 36 16 Q 37 24 31 29 Z", glass, OUT,
                  1.8))
    s.append(path("M 17 12 Q 18 8 22 7", None, "#ffffff", 2))
    s.append(path("M 20 28 L 21 19 Q 22.5 15 24 19 Q 25.5 15 27 19 L 28 28", None,
                  "#ff7a1a" if on else "#8a8a96", 1.4))
    s.append(rect(16.5, 28, 15, 9, "#b9bcc8", OUT, 1.6, rx=2))
    for y in (31, 34):
        s.append(line(17.5, y, 30.5, y, "#7c7f8c", 1.1))
    s.append(rect(10, 37, 28, 5, "#5a5a66", OUT, 1.5, rx=2))
    s.append(rect(9, 38, 5, 3, "#d9a441", OUT, 0.9))
    s.append(rect(34, 38, 5, 3, "#d9a441", OUT, 0.9))
    return "".join(s)


def spare_plug():
    s = []
    s.append(limb([(24, 47), (24, 36)], "#5a5a66", 5, ow=8))
    s.append(rect(14, 16, 20, 21, "#44b04a", OUT, 1.8, rx=4))
    s.append(rect(17, 19, 5, 14, "#ffffff", extra='opacity="0.35"', rx=2))
    for x in (18, 28):
        s.append(limb([(x, 16), (x, 5)], "#d9dde6", 3.2, ow=5.4))
    return "".join(s)


# ---------------------------------------------------------------------------------------
# The two characters of the converting exercise, 96 x 90 on navy.

def bear(mood):
    s = []
    fur, light, shirt = "#c9823f", "#f1c98f", "#ff9f2e"
    s.append(path("M 16 90 Q 18 64 48 62 Q 78 64 80 90 Z", shirt, OUT, 2))
    s.append(path("M 40 63 L 48 72 L 56 63", None, OUT, 1.6))
    for cx in (24, 72):
        s.append(circle(cx, 16, 10, fur, OUT, 2))
        s.append(circle(cx, 16, 5.5, light))
    s.append(ellipse(48, 38, 28, 26, fur, OUT, 2))
    s.append(ellipse(48, 47, 13, 10, light, OUT, 1.6))
    s.append(ellipse(48, 41, 4.5, 3.2, OUT))
    s.append(face_features(48, 30, 44, mood, 11))
    if mood == "pleased":
        s.append(star(12, 50, 5, "#ffe14d") + star(84, 44, 4, "#ffe14d") +
                 star(80, 10, 3.5, "#ffffff"))
    return "".join(s)


def bunny(mood):
    s = []
    fur, inner, shirt = "#f4f0fa", "#ffaac4", "#3fb7e8"
    s.append(path("M 16 90 Q 18 64 48 62 Q 78 64 80 90 Z", shirt, OUT, 2))
    s.append(circle(48, 76, 3, "#ffffff", OUT, 1.2))
    droop = 12 if mood == "sad" else 0
    for side in (-1, 1):
        cx = 48 + side * 11
        tilt = side * (8 + droop)
        s.append(ellipse(cx, 10, 7, 17, fur, OUT, 2, rot=tilt))
        s.append(ellipse(cx, 11, 3.5, 12, inner, rot=tilt))
    s.append(ellipse(48, 42, 26, 23, fur, OUT, 2))
    s.append(ellipse(48, 46, 3.5, 2.6, "#ff7fa6", OUT, 1.2))
    for side in (-1, 1):
        for dy in (-1, 2):
            s.append(line(48 + side * 8, 48 + dy, 48 + side * 20, 46 + dy * 2, "#9aa0b8", 1))
    s.append(face_features(48, 36, 49, mood, 10))
    if mood == "pleased":
        s.append(star(12, 46, 5, "#ffe14d") + star(85, 52, 4, "#ffe14d") +
                 star(16, 12, 3.5, "#ffffff"))
    return "".join(s)


def face_features(cx, eye_y, mouth_y, mood, spread):
    s = []
    for side in (-1, 1):
        ex = cx + side * spread
        if mood == "pleased":
            s.append(path("M %s %s Q %s %s %s %s" % (f(ex - 5), f(eye_y + 1), f(ex),
                                                     f(eye_y - 6), f(ex + 5), f(eye_y + 1)),
                          None, OUT, 2.2))
        else:
            s.append(ellipse(ex, eye_y, 4.5, 5.5, "#ffffff", OUT, 1.5))
            s.append(circle(ex + 0.5, eye_y + (1.5 if mood == "sad" else 0.5), 2.6, OUT))
            s.append(circle(ex - 0.5, eye_y - 0.8, 1, "#ffffff"))
            if mood == "sad":
                s.append(line(ex - side * 5, eye_y - 10, ex + side * 4, eye_y - 7, OUT, 1.8))
        s.append(ellipse(ex + side * 4, mouth_y - 2, 4, 2.5, CHEEK, extra='opacity="0.8"'))
    if mood == "pleased":
        s.append(path("M %s %s Q %s %s %s %s Q %s %s %s %s Z" % (
            f(cx - 9), f(mouth_y), f(cx), f(mouth_y + 1), f(cx + 9), f(mouth_y), f(cx),
            f(mouth_y + 13), f(cx - 9), f(mouth_y)), MOUTH, OUT, 1.6))
        s.append(ellipse(cx, mouth_y + 8, 4.5, 2.5, TONGUE))
    elif mood == "sad":
        s.append(path("M %s %s Q %s %s %s %s" % (f(cx - 7), f(mouth_y + 5), f(cx),
                                                 f(mouth_y - 1), f(cx + 7), f(mouth_y + 5)),
                      None, OUT, 2))
        s.append(path("M %s %s Q %s %s %s %s Q %s %s %s %s Z" % (
            f(cx + spread + 1), f(eye_y + 6), f(cx + spread + 4), f(eye_y + 12),
            f(cx + spread + 1), f(eye_y + 13), f(cx + spread - 2), f(eye_y + 12),
            f(cx + spread + 1), f(eye_y + 6)), "#7fd3ff", OUT, 1))
    else:
        s.append(path("M %s %s Q %s %s %s %s" % (f(cx - 6), f(mouth_y + 1), f(cx),
                                                 f(mouth_y + 6), f(cx + 6), f(mouth_y + 1)),
                      None, OUT, 2))
    return "".join(s)


def star(cx, cy, r, colour):
    pts = []
    for i in range(10):
        rr = r if i % 2 == 0 else r * 0.45
        a = rad(-90 + i * 36)
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return poly(pts, colour, OUT, 1.1)


# ---------------------------------------------------------------------------------------
# The frog face of the syllables exercise, 96 x 96.

FROG = "#6fcf4f"
FROG_LIGHT = "#c6f08a"


def heart(cx, cy, size, colour="#ff4f7a"):
    d = "M %s %s C %s %s %s %s %s %s C %s %s %s %s %s %s Z" % (
        f(cx), f(cy + size * 0.9),
        f(cx - size * 1.4), f(cy), f(cx - size * 0.7), f(cy - size), f(cx), f(cy - size * 0.35),
        f(cx + size * 0.7), f(cy - size), f(cx + size * 1.4), f(cy), f(cx), f(cy + size * 0.9))
    return path(d, colour, OUT, 1.4) + circle(cx - size * 0.45, cy - size * 0.3, size * 0.16,
                                             "#ffffff")


def frog(state):
    s = []
    s.append(ellipse(48, 60, 38, 29, FROG, OUT, 2.2))
    for side in (-1, 1):
        s.append(circle(48 + side * 19, 30, 14, FROG, OUT, 2.2))
    s.append(ellipse(48, 56, 36, 27, FROG))
    for side in (-1, 1):
        s.append(circle(48 + side * 19, 30, 12.6, FROG))
    s.append(ellipse(48, 72, 24, 13, FROG_LIGHT))
    for side in (-1, 1):
        ex = 48 + side * 19
        closed = state in ("kiss", "laugh") or (state == "wink" and side == 1)
        if closed:
            s.append(circle(ex, 30, 9.5, "#ffffff", OUT, 1.6))
            s.append(path("M %s 31 Q %s 24 %s 31" % (f(ex - 6), f(ex), f(ex + 6)), None, OUT,
                          2.4))
        else:
            s.append(circle(ex, 30, 9.5, "#ffffff", OUT, 1.6))
            look = 1.5 if state == "mistake" else 0
            s.append(circle(ex - side * 0.5, 31 + look, 5, OUT))
            s.append(circle(ex - side * 0.5 - 1.6, 29 + look, 1.7, "#ffffff"))
        if state == "mistake":
            s.append(line(ex - side * 9, 13 + (0 if side == 1 else 0), ex + side * 4, 17, OUT,
                          2))
        s.append(ellipse(48 + side * 27, 62, 5.5, 3.5, CHEEK, extra='opacity="0.85"'))
    s.append(circle(43, 50, 1.4, OUT) + circle(53, 50, 1.4, OUT))
    if state == "neutral":
        s.append(path("M 28 62 Q 48 76 68 62", None, OUT, 2.4))
    elif state == "mistake":
        s.append(path("M 32 68 Q 38 62 44 67 Q 50 72 56 66 Q 61 62 65 67", None, OUT, 2.4))
        s.append(path("M 80 22 Q 84 30 80 33 Q 76 30 80 22 Z", "#7fd3ff", OUT, 1.1))
    elif state in ("kiss", "wink"):
        s.append(ellipse(48, 66, 7, 6, "#ff4f7a", OUT, 1.8))
        s.append(ellipse(48, 66, 2.6, 2.4, "#b3263a"))
    else:  # laugh
        s.append(path("M 28 60 Q 48 64 68 60 Q 62 82 48 82 Q 34 82 28 60 Z", MOUTH, OUT, 2))
        s.append(ellipse(48, 76, 9, 4.5, TONGUE))
    return "".join(s)


def kuss_frame(n):
    if n == 1:
        return frog("mistake")
    if n == 2:
        return frog("neutral")
    if n == 3:
        return frog("kiss") + heart(64, 66, 5)
    if n == 4:
        return frog("kiss") + heart(72, 52, 8)
    if n == 5:
        return frog("wink") + heart(80, 30, 9) + heart(66, 12, 6, "#ff85b0")
    if n == 6:
        return (frog("laugh") + heart(84, 16, 8) + heart(12, 16, 7, "#ff85b0") +
                star(88, 44, 5, "#ffe14d") + star(8, 46, 4.5, "#ffe14d") +
                star(48, 7, 4.5, "#ffffff"))
    raise ValueError(n)


# ---------------------------------------------------------------------------------------
# Wheelbarrow, 60 x 60, facing right, wheel on y 56; small pictures 42 x 42.

BARROW = "#ff8c1a"
BRICK = "#d2503c"


def brick(x, y, w=11, h=6, rot=0, colour=BRICK):
    tr = 'transform="rotate(%s %s %s)"' % (f(rot), f(x + w / 2), f(y + h / 2)) if rot else ""
    return (rect(x, y, w, h, colour, OUT, 1.2, rx=1, extra=tr) +
            rect(x + 1.5, y + 1.2, w - 4, 1.4, "#f08a70", extra=tr))


def wheel(cx, cy, r, spoke_angle):
    s = circle(cx, cy, r, "#3c3c4a", OUT, 1.6) + circle(cx, cy, r - 2.6, "#c8ccd8", OUT, 1)
    for k in range(3):
        a = rad(spoke_angle + k * 60)
        s += line(cx - (r - 3) * math.cos(a), cy - (r - 3) * math.sin(a),
                  cx + (r - 3) * math.cos(a), cy + (r - 3) * math.sin(a), "#6a6e7c", 1.4)
    return s + circle(cx, cy, 1.8, "#ffd23f", OUT, 0.8)


def barrow(spoke=0.0, bounce=0.0, tilt=0.0, load=True, fallen=False, dx=0.0, dy=0.0):
    """The barrow; tilt turns the tray and handles about the wheel axle (degrees)."""
    wx, wy = 44, 47.5
    tray = []
    tray.append(limb([(4, 31), (16, 36), (40, 44)], "#8a5a2e", 3.2, ow=5.6))
    tray.append(limb([(20, 37), (22, 54)], "#8a5a2e", 3, ow=5.4))
    if load:
        tray.append(brick(16, 19, rot=-6))
        tray.append(brick(28, 18, rot=4))
        tray.append(brick(22, 13, rot=-2, colour="#e0674c"))
        if not fallen:
            tray.append(brick(34, 13, rot=10))
    tray.append(path("M 12 22 L 50 22 L 44 38 Q 30 42 18 38 Z", BARROW, OUT, 1.8))
    tray.append(path("M 15 25 L 47 25", None, "#ffc27a", 1.6))
    tray.append(rect(10, 20.5, 42, 3.5, "#e06a10", OUT, 1.4, rx=1.5))
    body = "".join(tray)
    if tilt:
        body = group(body, "rotate(%s %s %s)" % (f(tilt), f(wx), f(wy)))
    s = group(body, "translate(0 %s)" % f(-bounce))
    s += wheel(wx, wy, 8.5, spoke)
    if fallen:
        s += brick(5, 50, rot=-8)
        s += circle(18, 55, 1.6, "#bdb6a8") + circle(15, 56, 1.2, "#bdb6a8")
    return group(s, "translate(%s %s)" % (f(dx), f(dy))) if (dx or dy) else s


def karre_frame(n):
    if n == 1:
        return barrow(spoke=0)
    if n == 2:
        return barrow(spoke=20, bounce=1)
    if n == 3:
        return barrow(spoke=40, bounce=0.5)
    if n == 6:
        return barrow(spoke=0, tilt=5, fallen=True) + sweat(44, 6)
    raise ValueError(n)


def sweat(x, y):
    return (path("M %s %s Q %s %s %s %s Q %s %s %s %s Z" % (
        f(x), f(y), f(x + 4), f(y + 7), f(x), f(y + 9), f(x - 4), f(y + 7), f(x), f(y)),
        "#7fd3ff", OUT, 1) + line(x + 6, y + 1, x + 9, y - 2, "#ffe14d", 1.4) +
        line(x + 7, y + 5, x + 11, y + 5, "#ffe14d", 1.4))


def cone():
    s = []
    s.append(rect(6, 34, 30, 5, "#3c3c4a", OUT, 1.5, rx=1.5))
    s.append(path("M 12 34 L 19 5 Q 21 2 23 5 L 30 34 Z", "#ff7a1a", OUT, 1.8))
    s.append(path("M 16.6 16 L 25.4 16 L 26.9 22 L 15.1 22 Z", "#ffffff"))
    s.append(path("M 14.3 26 L 27.7 26 L 28.8 30.5 L 13.2 30.5 Z", "#ffffff"))
    return s and "".join(s)


def brick_pile():
    s = []
    s.append(path("M 2 39 Q 20 30 40 39 Z", "#c9a66b", OUT, 1.4))
    s.append(brick(5, 31, 14, 7) + brick(21, 31, 14, 7) + brick(13, 24, 14, 7))
    s.append(limb([(28, 38), (34, 12)], "#8a5a2e", 2.6, ow=4.8))
    s.append(path("M 31 12 L 37 12 L 37.5 4 Q 34 1 30.5 4 Z", "#9aa3b5", OUT, 1.3))
    s.append(rect(29.5, 2, 9, 2.6, "#8a5a2e", OUT, 1, rx=1))
    return "".join(s)


# ---------------------------------------------------------------------------------------
# Pointer hands, 40 x 48, and clapping hands (EMF), 100 x 80.

HAND = "#ffd2b0"
HAND_SHADE = "#f0b48c"


def open_hand():
    s = []
    fingers = [(9, 20, 10, -14), (15, 8, 5, -4), (22, 6, 4, 0), (29, 9, 5, 5)]
    parts = [(path, ("M 8 28 Q 8 44 20 46 Q 33 46 34 32 L 34 20 Q 20 18 8 22 Z",), HAND)]
    for x, top, w, rot in fingers:
        parts.append((rect, (x - 3, top, 6.4, 22), HAND))
    parts.append((ellipse, (6, 27, 4, 9.5), HAND))
    back = []
    front = []
    for make, args, fill in parts:
        back.append(make(*args, fill=OUT, stroke=OUT, sw=3.6))
        front.append(make(*args, fill=fill))
    s.append("".join(back) + "".join(front))
    for x, top, w, rot in fingers:
        s.append(rect(x - 3, top, 6.4, 6, "#ffe6d4", rx=3))
    for x in (12, 19, 26):
        s.append(line(x + 3.2, 22, x + 3.2, 27, HAND_SHADE, 1.2))
    s.append(path("M 14 36 Q 21 40 28 36", None, HAND_SHADE, 1.4))
    return "".join(s)


def fist():
    s = []
    parts = [(path, ("M 7 24 Q 6 44 20 46 Q 34 46 35 30 L 34 18 Q 20 14 7 18 Z",), HAND)]
    for x in (9, 16, 23, 30):
        parts.append((ellipse, (x + 2, 19, 4.6, 5.4), HAND))
    back = []
    front = []
    for make, args, fill in parts:
        back.append(make(*args, fill=OUT, stroke=OUT, sw=3.6))
        front.append(make(*args, fill=fill))
    s.append("".join(back) + "".join(front))
    for x in (14.5, 21.5, 28.5):
        s.append(line(x, 15, x, 23, OUT, 1.3))
    s.append(path("M 8 28 Q 16 24 24 29 Q 18 33 9 32", HAND_SHADE, OUT, 1.4))
    return "".join(s)


def clap_hand(cx, cy, rot, flip):
    """One flat hand seen from the side, palm facing the middle."""
    body = (path("M -8 18 L -8 -6 Q -8 -24 0 -26 Q 8 -24 8 -6 L 8 18 Z", HAND, OUT, 2) +
            path("M 8 2 Q 16 -2 17 4 Q 16 10 8 12", HAND, OUT, 2) +
            rect(-9, 16, 18, 10, "#3fb7e8", OUT, 2, rx=2) +
            line(-4, -24, -4, -8, OUT, 1.1) + line(0, -25.5, 0, -8, OUT, 1.1) +
            line(4, -24, 4, -8, OUT, 1.1))
    tr = "translate(%s %s) rotate(%s) scale(1.3)" % (f(cx), f(cy), f(rot))
    if flip:
        tr += " scale(-1 1)"
    return group(body, tr)


def clapping(closed):
    s = []
    if closed:
        s.append(clap_hand(42, 44, 6, False))
        s.append(clap_hand(58, 44, -6, True))
        for a in (-60, -30, 0, 30, 60):
            x = 50 + 26 * math.sin(rad(a))
            y = 14 - 8 * math.cos(rad(a))
            x2 = 50 + 34 * math.sin(rad(a))
            y2 = 14 - 12 * math.cos(rad(a))
            s.append(line(x, y, x2, y2, "#ffb81f", 3))
        s.append(star(14, 26, 5, "#ffe14d") + star(86, 26, 5, "#ffe14d"))
    else:
        s.append(clap_hand(24, 44, -20, False))
        s.append(clap_hand(76, 44, 20, True))
    return "".join(s)


# ---------------------------------------------------------------------------------------
# The end scene of the building site, 60 x 60 frames.

def house(stage, smoke=0):
    """A small brick house built up in stages on top of the barrow's tray (0..10)."""
    s = []
    x0, base = 17, 22
    spots = [(x0, base - 6, 10), (x0 + 10, base - 6, 10), (x0 + 20, base - 6, 8),
             (x0 + 4, base - 12, 10), (x0 + 14, base - 12, 10), (x0, base - 12, 4),
             (x0 + 24, base - 12, 4)]
    for i, (bx, by, w) in enumerate(spots):
        if i < min(stage, len(spots)):
            s.append(brick(bx, by, w, 6))
    # Stage 8: roof, 9: door and window, 10: chimney.
    if stage >= 10:
        s.append(rect(x0 + 20, base - 21, 4.5, 7, BRICK, OUT, 1.1))
    if stage >= 8:
        s.append(poly([(x0 - 3, base - 12), (x0 + 14, base - 21), (x0 + 31, base - 12)],
                      "#3f7fe0", OUT, 1.5))
        s.append(line(x0 + 1, base - 13.2, x0 + 14, base - 19.6, "#8fb8ff", 1.1))
    if stage >= 9:
        s.append(rect(x0 + 4, base - 10, 6, 10, "#8a5a2e", OUT, 1.1, rx=1))
        s.append(circle(x0 + 8.5, base - 4.5, 0.8, "#ffd23f"))
        s.append(rect(x0 + 16, base - 10, 7, 6, "#ffe14d", OUT, 1.1))
        s.append(line(x0 + 19.5, base - 10, x0 + 19.5, base - 4, OUT, 0.8))
    for i in range(smoke):
        s.append(circle(x0 + 28 + i * 5, base - 17 - i * 1.5, 1.7 + i * 0.5, "#e8e8f0", OUT,
                        0.8))
    return "".join(s)


def film_frames():
    """The frames of the end scene in order; the control file lists them by name."""
    frames = []
    # 1..20: the barrow rolls in from the left to its place (shown when played from the start).
    for k in range(20):
        dx = -39 + 2 * k
        frames.append(barrow(spoke=k * 25, bounce=(k % 2) * 0.6, dx=dx, dy=1))
    # 21: standing exactly like the barrow picture (one unit right and down in the frame).
    frames.append(barrow(spoke=0, dx=1, dy=1))
    # 22..24: the load jiggles.
    for k in range(3):
        frames.append(barrow(spoke=0, bounce=(1.2, 0, 1.2)[k], dx=1, dy=1))
    # 25..31: brick after brick jumps up and a little house grows on the tray.
    for stage in range(1, 8):
        hop = brick(30 - stage * 2, 2 + (stage % 3), 9, 5, rot=stage * 50)
        frames.append(group(barrow(load=stage < 4) + house(stage) + (hop if stage < 7 else ""),
                            "translate(1 1)"))
    # 32..34: roof, door and window, chimney, each with a sparkle.
    for stage, (sx, sy) in zip((8, 9, 10), ((50, 6), (8, 8), (48, 3))):
        frames.append(group(barrow(load=False) + house(stage) + star(sx, sy, 4, "#ffe14d"),
                            "translate(1 1)"))
    # 35..46: the barrow bounces for joy, smoke rises, stars twinkle.
    for k in range(12):
        twinkle = (star(6, 8, 3.6, "#ffe14d") if k % 2 else star(52, 12, 3.2, "#ffffff"))
        jump = (k % 2) * 1.5
        frames.append(group(barrow(load=False, spoke=k * 30, bounce=jump) +
                            group(house(10, smoke=1 + k % 3), "translate(0 %s)" % f(-jump)) +
                            twinkle, "translate(1 1)"))
    return frames
