#!/usr/bin/python3
"""Draws every picture Voltiva shows: the screen emblems, the package
pictures and the application icons.

Shapes are drawn at SS times the final size and box-filtered down, which
gives clean anti-aliased edges while flat areas keep their exact colour.
Emblems and package pictures are stored as 256-colour indexed PNGs with the
ground and key colours forced into the palette, so they stay exact; the
icons are RGBA with a transparent surround.

Run from anywhere:  /usr/bin/python3 assets/draw.py   (needs Pillow)
Output is deterministic: rerunning gives byte-identical files.
"""

import math
import os

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
SS = 8  # supersampling factor
K = 1   # device pixels per picture pixel: 1, or 2 and 3 for "@2x" and "@3x" files

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
VIOLET = (0x40, 0x00, 0xFF)     # ground of emblems and transistor pictures
SILVER = (0xC0, 0xC0, 0xC0)
GREY = (0x80, 0x80, 0x80)
DARK = (0x40, 0x40, 0x40)
YELLOW = (0xFF, 0xFF, 0x00)
GREEN = (0x00, 0xFF, 0x00)      # ground of capacitor pictures
SKY = (0x00, 0x80, 0xFF)
RED = (0xFF, 0x00, 0x00)
ORANGE = (0xFF, 0x80, 0x00)
OLIVE = (0x80, 0x80, 0x00)
BROWN = (0x80, 0x40, 0x00)
BLUE = (0x00, 0x00, 0xFF)
LAVENDER = (0x80, 0x80, 0xFF)

# Colours that must survive the palette conversion unchanged.
KEY_COLOURS = [BLACK, WHITE, VIOLET, SILVER, GREY, DARK, YELLOW, GREEN, SKY,
               RED, ORANGE, OLIVE, BROWN, BLUE, LAVENDER]


# --------------------------------------------------------------------------
# Drawing surface. All coordinates are in picture pixels, pixel i spanning
# [i, i+1]; a 1 px line is crisp when centred on i + 0.5. The surface holds K
# device pixels per picture pixel, so the same drawing gives the "@2x" and
# "@3x" files with every edge placed at the finer resolution.

class Canvas:
    def __init__(self, w, h, ground, mode="RGB"):
        self.w, self.h = w, h
        self.k = K
        self.im = Image.new(mode, (w * SS * K, h * SS * K), ground)
        self.d = ImageDraw.Draw(self.im)
        self.post = []

    def _p(self, x, y):
        # Pillow addresses pixel centres; shift so shapes cover true areas.
        u = SS * self.k
        return (x * u - 0.5, y * u - 0.5)

    def _box(self, x0, y0, x1, y1):
        u = SS * self.k
        return [round(x0 * u), round(y0 * u),
                round(x1 * u) - 1, round(y1 * u) - 1]

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle(self._box(x0, y0, x1, y1), fill=fill)

    def box(self, x0, y0, x1, y1, fill, outline=BLACK, w=1.0):
        """Rectangle whose outline lies inside its bounds."""
        self.rect(x0, y0, x1, y1, outline)
        self.rect(x0 + w, y0 + w, x1 - w, y1 - w, fill)

    def ellipse(self, cx, cy, rx, ry, fill=None, outline=None, w=1.0):
        """Ellipse whose outline lies inside its bounds."""
        self.d.ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry),
                       fill=fill, outline=outline,
                       width=round(w * SS * self.k) if outline else 0)

    def rrect(self, x0, y0, x1, y1, rad, fill, outline=BLACK, w=1.0):
        """Rounded rectangle whose outline lies inside its bounds."""
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1),
                                 radius=round(rad * SS * self.k), fill=fill,
                                 outline=outline, width=round(w * SS * self.k))

    def dot(self, x, y, r, fill):
        self.ellipse(x, y, r, r, fill=fill)

    def pieslice(self, cx, cy, r, a0, a1, fill):
        self.d.pieslice(self._box(cx - r, cy - r, cx + r, cy + r),
                        a0, a1, fill=fill)

    def polygon(self, pts, fill):
        self.d.polygon([self._p(x, y) for x, y in pts], fill=fill)

    def stroke(self, pts, w, fill, caps=True, closed=False):
        """Polyline of width w with round joins (and round caps)."""
        pts = list(pts)
        if closed:
            pts.append(pts[0])
        width = max(1, round(w * SS * self.k))
        for a, b in zip(pts, pts[1:]):
            self.d.line([self._p(*a), self._p(*b)], fill=fill, width=width)
        inner = pts if (caps or closed) else pts[1:-1]
        for x, y in inner:
            self.dot(x, y, w / 2, fill)

    def outlined_stroke(self, pts, w, fill, ow=1.0, caps=True):
        """A wire: black stroke with a narrower coloured one on top."""
        self.stroke(pts, w, BLACK, caps)
        self.stroke(pts, w - 2 * ow, fill, caps)

    def text(self, x, y, s, fill):
        """Pixel font, top-left at (x, y) snapped to whole pixels so the
        strokes stay crisp; glyphs are 5 x 7 cells. With more device pixels
        the same letters are drawn as 1 px strokes instead of squares."""
        x, y = math.floor(x + 0.5), math.floor(y + 0.5)
        if self.k > 1:
            for ch in s:
                for line in STROKE_GLYPHS.get(ch, []):
                    self.stroke([(x + px, y + py) for px, py in line], 1,
                                fill)
                x += 6
            return
        for ch in s:
            rows = GLYPHS.get(ch)
            if rows:
                for j, row in enumerate(rows):
                    for i, c in enumerate(row):
                        if c == "#":
                            self.rect(x + i, y + j, x + i + 1, y + j + 1,
                                      fill)
            x += 6

    def final(self):
        im = self.im.reduce(SS)
        assert not (self.post and self.k > 1), "pixel details are for 1x"
        for f in self.post:     # pixel-exact details drawn at final size
            f(im)
        return im


def arc_points(cx, cy, rx, ry, a0, a1, n=48):
    """Points on an elliptical arc, angles in degrees, y axis down."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + 1)]



GLYPHS = {
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
}


def _bowl(y0):
    """Right-hand bowl of a B, from the stem at y0 to the stem at y0 + 3."""
    return ([(0.5, y0 + 0.5), (3, y0 + 0.5)]
            + arc_points(3, y0 + 2, 1.5, 1.5, -90, 90, 16)
            + [(0.5, y0 + 3.5)])


# The pixel font's letters as strokes through its pixel centres.
STROKE_GLYPHS = {
    "B": [[(0.5, 0.5), (0.5, 6.5)], _bowl(0), _bowl(3)],
    "C": [arc_points(2.5, 3.5, 2, 3, -40, -320, 32)],
    "E": [[(4.5, 0.5), (0.5, 0.5), (0.5, 6.5), (4.5, 6.5)],
          [(0.5, 3.5), (3.5, 3.5)]],
}


# --------------------------------------------------------------------------
# Palette conversion.

def to_indexed(rgb, keys=KEY_COLOURS):
    """Indexed image with an exactly 256-entry palette: the key colours
    first, then an adaptive set for the anti-aliased blends."""
    keys = list(dict.fromkeys(keys))
    keyset = set(keys)
    used = sorted(c for _, c in rgb.getcolors(1 << 24))
    others = [c for c in used if c not in keyset]
    room = 256 - len(keys)
    if len(others) > room:
        q = rgb.quantize(colors=room, method=Image.Quantize.MEDIANCUT,
                         dither=Image.Dither.NONE)
        pal = q.getpalette()[:3 * room]
        others = sorted({tuple(pal[i:i + 3])
                         for i in range(0, len(pal), 3)} - keyset)
    palette = keys + others
    palette += [BLACK] * (256 - len(palette))

    # Our own nearest-colour lookup: Pillow's palette conversion buckets
    # similar colours together and could move a key colour to a neighbour.
    exact = {}
    for i, c in enumerate(palette):
        exact.setdefault(c, i)
    lut = {}
    for c in used:
        if c in exact:
            lut[c] = exact[c]
        else:
            lut[c] = min(range(len(palette)), key=lambda i: (
                (palette[i][0] - c[0]) ** 2 * 3 +
                (palette[i][1] - c[1]) ** 2 * 4 +
                (palette[i][2] - c[2]) ** 2 * 2, i))
    out = Image.new("P", rgb.size)
    out.putpalette([v for c in palette for v in c])
    out.putdata([lut[c] for c in rgb.getdata()])
    return out


def save_indexed(cv, name):
    if cv.k > 1:
        stem, ext = os.path.splitext(name)
        name = f"{stem}@{cv.k}x{ext}"
    to_indexed(cv.final()).save(os.path.join(HERE, name), optimize=False)


# --------------------------------------------------------------------------
# Schematic symbols, shared by the emblems and the icons.

def zigzag_points(x0, x1, y, amp, n):
    step = (x1 - x0) / n
    pts = [(x0, y)]
    for i in range(n):
        pts.append((x0 + step * (i + 0.5), y - amp if i % 2 == 0 else y + amp))
    pts.append((x1, y))
    return pts


def resistor(cv, xl, xr, y, zl, zr, amp, n, lw, fill=BLACK):
    pts = [(xl, y)] + zigzag_points(zl, zr, y, amp, n) + [(xr, y)]
    cv.stroke(pts, lw, fill)


def capacitor(cv, cx, cy, lead, gap, plate, lw, pw, fill=BLACK):
    """Horizontal leads, vertical plates centred on (cx, cy)."""
    pw = max(1, round(pw))
    cx = snap(cx, pw)
    gap = max(1, round(gap))
    cv.stroke([(cx - lead, cy), (cx - gap, cy)], lw, fill)
    cv.stroke([(cx + gap, cy), (cx + lead, cy)], lw, fill)
    top = round(cy - plate)
    for x in (cx - gap, cx + gap):
        cv.rect(x - pw / 2, top, x + pw / 2, 2 * cy - top, fill)


def sine(cv, cx, cy, half, amp, lw, fill=BLACK):
    pts = [(cx - half + 2 * half * i / 48,
            cy - amp * math.sin(2 * math.pi * i / 48)) for i in range(49)]
    cv.stroke(pts, lw, fill)


def npn(cv, cx, cy, R, lw, out=None, fill=BLACK):
    """Bipolar NPN symbol in a ring of radius R around (cx, cy). Straight
    segments are snapped to the pixel grid so small versions stay crisp."""
    cx, cy = snap(cx, lw), snap(cy, lw)
    k = R / 27.0
    if out is None:
        out = 8 * k
    cv.ellipse(cx, cy, R + lw / 2, R + lw / 2, outline=fill, w=lw)
    bx, tx = snap(cx - 9 * k, lw), snap(cx + 9 * k, lw)
    yb, yt = 5 * k, 16 * k
    # Base bar, thickened to the left so the diagonals keep their root.
    extra = max(1, round(lw * 0.4))
    cv.rect(bx - lw / 2 - extra, cy - 13 * k, bx + lw / 2, cy + 13 * k, fill)
    cv.stroke([(cx - R - out, cy), (bx, cy)], lw, fill)
    cv.stroke([(bx, cy - yb), (tx, cy - yt), (tx, cy - R - out)], lw, fill,
              caps=False)
    cv.stroke([(bx, cy + yb), (tx, cy + yt), (tx, cy + R + out)], lw, fill,
              caps=False)
    # Arrow on the emitter, pointing away from the base (NPN).
    dx, dy = tx - bx, yt - yb
    ln = math.hypot(dx, dy)
    ux, uy = dx / ln, dy / ln
    back = ln * 0.15
    tipx, tipy = tx - ux * back, cy + yt - uy * back
    al = max(10 * k, 2.5 * lw)
    aw = al * 0.55
    bax, bay = tipx - ux * al, tipy - uy * al
    cv.polygon([(tipx, tipy), (bax - uy * aw, bay + ux * aw),
                (bax + uy * aw, bay - ux * aw)], fill)


def polarised_cap(cv, cx, cy, lead, gap, plate, lw, pw, fill=BLACK):
    """Straight plate (+) left, curved plate (-) right, horizontal leads."""
    xs = cx - gap
    cv.stroke([(cx - lead, cy), (xs, cy)], lw, fill)
    cv.rect(xs - pw / 2, cy - plate, xs + pw / 2, cy + plate, fill)
    # Curved plate bows towards the straight one.
    xv = cx + gap
    depth = plate * 0.45
    rr = (depth ** 2 + plate ** 2) / (2 * depth)
    half = math.degrees(math.asin(plate / rr))
    cv.stroke(arc_points(xv + rr, cy, rr, rr, 180 - half, 180 + half),
              pw, fill)
    cv.stroke([(xv, cy), (cx + lead, cy)], lw, fill)


# --------------------------------------------------------------------------
# The main emblem disc (also the application icon).

def snap(v, w):
    """Centre for a line of whole-pixel width w so it lands on the grid of
    device pixels."""
    v, w = v * K, w * K
    return (math.floor(v) + 0.5 if round(w) % 2 else float(round(v))) / K


def pixel_npn(im, px, py, R):
    """NPN symbol in a ring of radius R drawn with aliased 1 px lines around
    pixel (px, py). Below about 10 px radius soft strokes blur the bar, the
    arms and the ring together; 45-degree pixel steps stay distinct."""
    d = ImageDraw.Draw(im)
    ink = BLACK + ((255,) if im.mode == "RGBA" else ())

    def line(*pts):
        d.line([(px + x, py + y) for x, y in pts], fill=ink, width=1)

    d.ellipse([px - R, py - R, px + R, py + R], outline=ink, width=1)
    bx = -round(0.3 * R)            # base bar, two pixels thick
    hb = round(0.45 * R)
    ax = round(0.3 * R)             # collector and emitter leads
    y1 = round(0.3 * R) if R >= 7 else 1   # keep the arm ends off the ring
    y2 = y1 + ax - bx - 1           # 45-degree arms
    line((bx - 1, -hb), (bx - 1, hb))
    line((bx, -hb), (bx, hb))
    out = 2 if R >= 7 else 1        # leads stick out of the ring
    line((-R - out, 0), (bx - 2, 0))
    line((bx + 1, -y1), (ax, -y2), (ax, -R - out))
    line((bx + 1, y1), (ax, y2), (ax, R + out))
    if R >= 7:
        # Arrowhead on the emitter, pointing out of the base (NPN); smaller
        # rings have no room for it.
        line((ax - 2, y2), (ax, y2), (ax, y2 - 2))
        line((ax - 1, y2 - 1), (ax - 1, y2 - 1))


def quadrant_symbols(cv, cx, cy, r):
    """The four symbols, designed in units of a radius-100 disc."""
    sc = r / 100.0
    lw = max(1, round(4.5 * sc * cv.k)) / cv.k     # whole device pixels

    def U(u):
        return u * sc

    y = snap(cy - U(44), lw)
    resistor(cv, cx - U(82), cx - U(14), y, cx - U(68), cx - U(28),
             U(12), 6 if r >= 40 else 4, lw)
    capacitor(cv, cx + U(47), snap(cy - U(44), lw), U(34), U(7),
              U(17), lw, lw * 1.5)
    sine(cv, cx + U(46), cy + U(46), U(34), U(15), lw)
    if lw * cv.k > 1:
        npn(cv, cx - U(44), cy + U(44), round(U(28)), lw, out=U(4))
    else:
        px, py, R = math.floor(cx - U(44)), math.floor(cy + U(44)), round(U(28))
        cv.post.append(lambda im: pixel_npn(im, px, py, R))


# Symbols for the 16-32 px icons, as aliased 1 px polylines straight on the
# final pixel grid: at this size soft strokes turn to mud, and the designs
# are simplified (fewer zig-zags; no ring or arrow at the smallest sizes).
# Points are pixel indices relative to the disc centre c; the dividers take
# pixels c-1 and c.
TINY = {
    16: {
        "resistor": [[(-6, -3), (-5, -4), (-4, -3), (-3, -4), (-2, -3)]],
        "capacitor": [[(2, -5), (2, -3)], [(4, -5), (4, -3)],
                      [(1, -4), (1, -4)], [(5, -4), (5, -4)]],
        "transistor": [[(-5, 1), (-5, 3)], [(-6, 2), (-5, 2)],
                       [(-4, 2), (-3, 1)], [(-4, 2), (-2, 4)]],
        "sine": [[(1, 3), (2, 2), (3, 3), (4, 4), (5, 3)]],
    },
    22: {
        "resistor": [[(-9, -5), (-8, -7), (-6, -3), (-4, -7), (-3, -5)]],
        "capacitor": [[(2, -5), (3, -5)], [(4, -7), (4, -3)],
                      [(6, -7), (6, -3)], [(7, -5), (8, -5)]],
        "transistor": [[(-6, 2), (-6, 6)], [(-9, 4), (-7, 4)],
                       [(-5, 3), (-3, 1)], [(-5, 5), (-3, 7)],
                       [(-4, 7), (-3, 6)]],
        "sine": [[(1, 4), (2, 3), (3, 3), (4, 4), (5, 5), (6, 5), (7, 4)]],
    },
    32: {
        "resistor": [[(-12, -7), (-11, -7), (-10, -9), (-8, -5), (-6, -9),
                      (-5, -7), (-3, -7)]],
        "capacitor": [[(2, -7), (4, -7)], [(5, -10), (5, -4)],
                      [(8, -10), (8, -4)], [(9, -7), (11, -7)]],
        "transistor": [[(-9, 4), (-9, 8)], [(-13, 6), (-10, 6)],
                       [(-8, 5), (-6, 3), (-6, 1)],
                       [(-8, 7), (-6, 9), (-6, 11)]],
        "sine": [[(2, 5), (3, 3), (4, 2), (5, 2), (6, 4), (7, 6), (8, 8),
                  (9, 8), (10, 7), (11, 5)]],
        "ring": (-11, 2, -3, 10),
    },
}
# 24 px has one pixel more room: same symbols, the lower two moved out.
TINY[24] = dict(TINY[22],
                sine=[[(2, 4), (3, 3), (4, 3), (5, 4), (6, 5), (7, 5),
                       (8, 4)]],
                transistor=[[(-7, 2), (-7, 6)], [(-10, 4), (-8, 4)],
                            [(-6, 3), (-4, 1)], [(-6, 5), (-4, 7)],
                            [(-5, 7), (-4, 6)]])


def tiny_symbols(im, c, t):
    d = ImageDraw.Draw(im)
    ink = BLACK + ((255,) if im.mode == "RGBA" else ())
    for key in ("resistor", "capacitor", "transistor", "sine"):
        for line in t[key]:
            d.line([(c + x, c + y) for x, y in line], fill=ink, width=1)
    if "ring" in t:
        x0, y0, x1, y1 = t["ring"]
        d.ellipse([c + x0, c + y0, c + x1, c + y1], outline=ink, width=1)


def main_disc(cv, cx, cy, r, tiny=None):
    """Four-quadrant disc of radius r px; tiny: a TINY entry for icon
    sizes that get hand-placed pixel symbols."""
    sc = r / 100.0
    ow = max(1, round(4 * sc))             # rim
    dw = max(2, 2 * round(2 * sc))         # dividers: even, centred on cx/cy

    cv.pieslice(cx, cy, r, 180, 270, YELLOW)
    cv.pieslice(cx, cy, r, 270, 360, GREEN)
    cv.pieslice(cx, cy, r, 0, 90, RED)
    cv.pieslice(cx, cy, r, 90, 180, SKY)
    cv.rect(cx - dw / 2, cy - r + ow / 2, cx + dw / 2, cy + r - ow / 2, BLACK)
    cv.rect(cx - r + ow / 2, cy - dw / 2, cx + r - ow / 2, cy + dw / 2, BLACK)

    if tiny:
        cv.post.append(lambda im: tiny_symbols(im, int(cx), tiny))
    else:
        quadrant_symbols(cv, cx, cy, r)
    cv.ellipse(cx, cy, r, r, outline=BLACK, w=ow)


# --------------------------------------------------------------------------
# Emblems, 54 x 52 on blue-violet.

EW, EH = 54, 52
ECX, ECY, ER = 27, 26, 25


def emblem(fill):
    cv = Canvas(EW, EH, VIOLET)
    cv.ellipse(ECX, ECY, ER, ER, fill=fill, outline=BLACK, w=1)
    return cv


def draw_main():
    cv = Canvas(EW, EH, VIOLET)
    main_disc(cv, ECX, ECY, ER)
    save_indexed(cv, "main.png")


def draw_series():
    cv = emblem(ORANGE)
    y1, y2, xw = 18.5, 33.5, 10.5
    cv.stroke([(xw, y1), (xw, y2)], 1, BLACK)
    for y in (y1, y2):
        resistor(cv, xw, 42, y, 15, 38, 3, 6, 1)
        cv.dot(43.5, y, 2, BLACK)
    save_indexed(cv, "series.png")


def draw_parallel():
    cv = emblem(OLIVE)
    top, bot = 15.5, 36.5
    for y in (top, bot):
        cv.stroke([(9.5, y), (42, y)], 1, BLACK)
        cv.dot(43.5, y, 2, BLACK)
    for x in (19.5, 31.5):
        cv.stroke([(x, top), (x, 23)], 1, BLACK)
        cv.stroke([(x, 29), (x, bot)], 1, BLACK)
        cv.rect(x - 4.5, 22, x + 4.5, 24, BLACK)
        cv.rect(x - 4.5, 28, x + 4.5, 30, BLACK)
    save_indexed(cv, "parallel.png")


def draw_resistor():
    cv = emblem(YELLOW)
    resistor(cv, 6, 48, 26, 13, 41, 6, 6, 2)
    save_indexed(cv, "resistor.png")


def draw_transistor():
    cv = emblem(SKY)
    npn(cv, 28.5, 26.5, 15, 1.5)
    save_indexed(cv, "transistor.png")


def draw_capacitor():
    cv = emblem(GREEN)
    polarised_cap(cv, 27, 26, 21, 3, 10, 2, 2)
    # "+" beside the straight plate.
    cv.rect(15, 15, 20, 16, BLACK)
    cv.rect(17, 13, 18, 18, BLACK)
    save_indexed(cv, "capacitor.png")


# --------------------------------------------------------------------------
# Package pictures, 74 x 76.

PW, PH = 74, 76


def draw_to5():
    cv = Canvas(PW, PH, VIOLET)
    cx, cy, r = 37, 38, 31
    # Key tab at the lower right, drawn first so the can overlaps its root.
    a = math.radians(45)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux
    r0, r1, hw = r - 4, r + 6, 4
    tab = [(cx + ux * r0 + vx * hw, cy + uy * r0 + vy * hw),
           (cx + ux * r1 + vx * hw, cy + uy * r1 + vy * hw),
           (cx + ux * r1 - vx * hw, cy + uy * r1 - vy * hw),
           (cx + ux * r0 - vx * hw, cy + uy * r0 - vy * hw)]
    cv.polygon(tab, SILVER)
    cv.stroke(tab, 1, BLACK, closed=True)
    cv.ellipse(cx, cy, r, r, fill=SILVER, outline=BLACK, w=1)
    # Header inside the flange.
    cv.ellipse(cx, cy, r - 4, r - 4, outline=GREY, w=1)
    # Pins on pixel centres so the letters line up with them exactly;
    # each letter sits on the inner side of its pin.
    pr = 16
    px, py = cx + 0.5, cy + 0.5
    for x, y in ((px, py - pr), (px - pr, py), (px, py + pr)):
        cv.dot(x, y, 3.5, BLACK)
        cv.dot(x - 1, y - 1, 1, GREY)
    cv.text(px - 2.5, py - pr + 5.5, "C", BLACK)
    cv.text(px - pr + 5.5, py - 3.5, "B", BLACK)
    cv.text(px - 2.5, py + pr - 12.5, "E", BLACK)
    save_indexed(cv, "to5.png")


def draw_to92():
    cv = Canvas(PW, PH, VIOLET)
    # Body: flat front face, rounded back seen from slightly above.
    x0, x1, top, bot = 5, 31, 16, 44
    mid = (x0 + x1) / 2
    ry = 7
    cv.ellipse(mid, top, (x1 - x0) / 2, ry, fill=BLACK)
    cv.ellipse(mid, top, (x1 - x0) / 2 - 1, ry - 1, fill=DARK)
    cv.rect(x0, top, x1, bot, BLACK)
    cv.rect(x0 + 1, top, x1 - 1, top + 1, (0x20, 0x20, 0x20))
    # Sheen along the front face.
    cv.rect(x0 + 3, top + 3, x0 + 5, bot - 3, (0x30, 0x30, 0x30))
    # Leads.
    for x in (mid - 8, mid, mid + 8):
        cv.box(x - 2, bot, x + 2, 74, SILVER)
    # Bottom view: pin names over the D-shaped footprint.
    fx, fy, fr = 55.5, 36, 16
    for i, ch in enumerate("EBC"):
        cv.text(fx - 8 - 2.5 + 8 * i, 22, ch, BLACK)
    cv.stroke([(fx - fr, fy)] + arc_points(fx, fy, fr, fr * 0.85, 180, 0)
              + [(fx + fr, fy)], 1.5, BLACK, closed=True)
    for i in range(3):
        x = fx - 8 + 8 * i
        cv.box(x - 2.5, fy + 2.5, x + 2.5, fy + 7.5, SILVER)
    save_indexed(cv, "to92.png")


def draw_to220():
    cv = Canvas(PW, PH, VIOLET)
    x0, x1 = 20, 54
    # Metal tab with mounting hole and the usual side notches.
    cv.box(x0, 3, x1, 29, SILVER)
    cv.rect(x0, 20, x0 + 2, 24, VIOLET)
    cv.rect(x1 - 2, 20, x1, 24, VIOLET)
    cv.rect(x0, 19, x0 + 3, 20, BLACK)
    cv.rect(x0, 24, x0 + 3, 25, BLACK)
    cv.rect(x0 + 2, 20, x0 + 3, 24, BLACK)
    cv.rect(x1 - 3, 19, x1, 20, BLACK)
    cv.rect(x1 - 3, 24, x1, 25, BLACK)
    cv.rect(x1 - 3, 20, x1 - 2, 24, BLACK)
    cv.ellipse(37, 12, 5, 5, fill=VIOLET, outline=BLACK, w=1)
    # Plastic body.
    cv.rect(x0, 27, x1, 52, BLACK)
    for i, ch in enumerate("BCE"):
        cv.text(27 + 10 * i - 2.5, 36, ch, LAVENDER)
    # Leads, wider at the shoulder.
    for x in (27, 37, 47):
        cv.box(x - 3, 51, x + 3, 58, LAVENDER)
        cv.box(x - 2, 57, x + 2, 75, LAVENDER)
        cv.rect(x - 1, 57, x + 1, 58, LAVENDER)
    save_indexed(cv, "to220.png")


def draw_ceramic():
    cv = Canvas(PW, PH, GREEN)
    cx, cy, r = 37, 27, 22
    for s in (-1, 1):
        pts = [(cx + s * 4, cy + 10), (cx + s * 4, cy + r + 4),
               (cx + s * 11, cy + r + 12), (cx + s * 11, 75)]
        cv.outlined_stroke(pts, 4, SILVER, caps=False)
    cv.ellipse(cx, cy, r, r, fill=BROWN, outline=BLACK, w=1)
    cv.stroke(arc_points(cx, cy, r - 5, r - 5, 200, 250, 16), 2,
              (0xB0, 0x70, 0x30))
    save_indexed(cv, "ceramic.png")


def draw_electrolytic():
    cv = Canvas(PW, PH, GREEN)
    # Radial can; the stripe and the shorter lead mark the negative side.
    x0, x1, top, bot = 4, 28, 8, 50
    mid = (x0 + x1) / 2
    cv.box(mid - 7, bot - 2, mid - 3, 75, SILVER)
    cv.box(mid + 3, bot - 2, mid + 7, 70, SILVER)
    cv.ellipse(mid, bot, (x1 - x0) / 2, 3, fill=BLUE, outline=BLACK, w=1)
    cv.rect(x0, top, x1, bot, BLACK)
    cv.rect(x0 + 1, top, x1 - 1, bot, BLUE)
    cv.rect(x1 - 8, top, x1 - 2, bot, LAVENDER)
    cv.ellipse(mid, bot, (x1 - x0) / 2 - 1, 2, fill=BLUE)
    for y in (17, 25, 33, 41):
        cv.rect(x1 - 7, y, x1 - 3, y + 2, BLUE)
    cv.ellipse(mid, top, (x1 - x0) / 2, 4, fill=SILVER, outline=BLACK, w=1)
    # Lid rim only: a vent cross would read as a "+" on top.
    cv.ellipse(mid, top, (x1 - x0) / 2 - 3, 2, outline=GREY, w=0.75)

    # Axial can; groove at the positive end, arrow to the negative end.
    ax0, ax1, ay, ah = 37, 67, 40, 9
    cv.box(31, ay - 1.5, ax0 + 2, ay + 1.5, SILVER, w=0.75)
    cv.box(ax1 - 2, ay - 1.5, 74, ay + 1.5, SILVER, w=0.75)
    cv.rrect(ax0, ay - ah, ax1, ay + ah, 3.5, BLUE)
    cv.rect(ax0 + 5, ay - ah + 0.5, ax0 + 6, ay + ah - 0.5, BLACK)
    cv.rect(ax0 + 9, ay - 4, ax1 - 3, ay + 4, LAVENDER)
    cv.rect(ax0 + 11, ay - 1, ax1 - 10, ay + 1, BLACK)
    cv.polygon([(ax1 - 4.5, ay), (ax1 - 11, ay - 3.5), (ax1 - 11, ay + 3.5)],
               BLACK)
    save_indexed(cv, "electrolytic.png")


def draw_tantalum():
    cv = Canvas(PW, PH, GREEN)
    cx, cy, r = 37, 40, 18
    for x in (cx - 5, cx + 5):
        cv.box(x - 2, cy + r - 4, x + 2, 75, SILVER)
    # Dipped bead: round belly drawn up to a short point.
    tipy = cy - r * 1.8
    ta = math.degrees(math.acos(r / (cy - tipy)))
    body = [(cx, tipy)] + arc_points(cx, cy, r, r, -90 + ta, 270 - ta, 96)
    cv.polygon(body, BLUE)
    cv.stroke(body, 1, BLACK, closed=True)
    cv.stroke(arc_points(cx, cy, r - 5, r - 5, 205, 245, 16), 2.5,
              (0x60, 0x60, 0xFF))
    # "+" marks the positive lead.
    px, py = cx - 8, cy + 6
    cv.rect(px - 3.5, py - 1, px + 3.5, py + 1, BLACK)
    cv.rect(px - 1, py - 3.5, px + 1, py + 3.5, BLACK)
    save_indexed(cv, "tantalum.png")


# --------------------------------------------------------------------------
# Application icons.

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def draw_icons():
    for n in ICON_SIZES:
        cv = Canvas(n, n, (0, 0, 0, 0), mode="RGBA")
        # Small sizes use the whole square; larger ones keep a margin.
        margin = 0 if n <= 24 else max(1, round(n / 32))
        main_disc(cv, n / 2, n / 2, n / 2 - margin, TINY.get(n))
        im = cv.final()
        folder = os.path.join(HERE, "icons", "hicolor", f"{n}x{n}", "apps")
        os.makedirs(folder, exist_ok=True)
        im.save(os.path.join(folder, "voltiva.png"), optimize=False)


# Scales of the emblems and package pictures; "@2x" and "@3x" for screens
# at twice and three times the pixels (fractional ratios use the next larger).
PICTURE_SCALES = (1, 2, 3)


def main():
    global K
    for K in PICTURE_SCALES:
        draw_main()
        draw_series()
        draw_parallel()
        draw_resistor()
        draw_transistor()
        draw_capacitor()
        draw_to5()
        draw_to92()
        draw_to220()
        draw_ceramic()
        draw_electrolytic()
        draw_tantalum()
    K = 1
    draw_icons()


if __name__ == "__main__":
    main()
