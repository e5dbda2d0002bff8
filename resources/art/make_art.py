#!/usr/bin/env python3
"""Draws the catalog's pictures: product and command icons, the arrow cursor
and the tiled background JPEGs, plus a contact sheet for review.

Every icon is drawn once for each frame size in FRAMES (32 pixels for a
display at 96 dots per inch, 40 at 120, 48 at 144, ...): the shapes are
described on a 32 x 32 grid and measured again at each size, so a larger
frame has finer curves and lines instead of bigger pixels.  The 32-pixel
frame comes first in each file.

Run from the repository root:

    python3 resources/art/make_art.py

Writes resources/icons/*.ico, resources/cursors/arrow.cur,
resources/images/*.jpg, resources/pictures.rc (every picture as RCDATA),
resources/art/preview.png, and the program's own icon
resources/icons/catalog.ico with its sheet resources/art/catalog_icon.png, and
checks each file after writing it: the icons and the cursor are read back,
the JPEGs are checked to be baseline 8-bit colour and to tile without a seam, and pictures.rc is compiled with windres
and compared byte for byte with the files.

Everything is drawn in code (Python standard library only); ImageMagick's
/usr/bin/convert and identify are used only for the JPEGs.  The output is
the same on every run: the random generators are seeded with fixed numbers.
"""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
CONVERT = "/usr/bin/convert"
IDENTIFY = "/usr/bin/identify"

# ---------------------------------------------------------------------------
# The standard 16-colour VGA palette, in the order Windows uses for 4-bit
# bitmaps.  Icons index into it.
# ---------------------------------------------------------------------------
PALETTE = [
    (0, 0, 0),        # 0  black
    (128, 0, 0),      # 1  maroon
    (0, 128, 0),      # 2  green
    (128, 128, 0),    # 3  olive
    (0, 0, 128),      # 4  navy
    (128, 0, 128),    # 5  purple
    (0, 128, 128),    # 6  teal
    (192, 192, 192),  # 7  silver - the buttons' mask colour, never drawn
    (128, 128, 128),  # 8  grey
    (255, 0, 0),      # 9  red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 fuchsia
    (0, 255, 255),    # 14 aqua
    (255, 255, 255),  # 15 white
]
K, M, G, O, N, P, T, S, D, R, L, Y, B, F, A, W = range(16)
SILVER = S

SIZE = 32                 # the design grid: every coordinate below is on it
FRAMES = (32, 40, 48, 56, 64, 80, 96)

# The frame being drawn: FRAME pixels across, SCALE pixels per design pixel,
# STROKE pixels for a line or an outline one design pixel wide.
FRAME = SIZE
SCALE = 1.0
STROKE = 1


def set_frame(size):
    global FRAME, SCALE, STROKE
    FRAME = size
    SCALE = size / SIZE
    STROKE = max(1, int(SCALE + 0.5))


def centre(i):
    """Design coordinate of the centre of frame pixel i."""
    return (i + 0.5) / SCALE - 0.5


def cell(i):
    """The design pixel that frame pixel i lies in."""
    return int((i + 0.5) // SCALE)


class ArtError(Exception):
    pass


def check(cond, msg):
    if not cond:
        raise ArtError(msg)


# ---------------------------------------------------------------------------
# Masks: sets of (x, y) pixels of the frame being drawn.  Shapes are given in
# design coordinates, built as masks, combined with set operations and then
# painted with a fill colour and an outline.  At 32 pixels a design pixel is a
# frame pixel; at other sizes each shape is measured at the frame's pixel
# centres.
# ---------------------------------------------------------------------------
def m_rect(x0, y0, x1, y1):
    xs = [x for x in range(FRAME) if x0 <= cell(x) <= x1]
    ys = [y for y in range(FRAME) if y0 <= cell(y) <= y1]
    return {(x, y) for x in xs for y in ys}


def m_points(points):
    """The frame pixels of some design pixels."""
    out = set()
    for x, y in points:
        out |= m_rect(x, y, x, y)
    return out


def m_where(mask, keep):
    """The pixels of a mask whose design pixel (x, y) passes keep(x, y)."""
    return {(x, y) for x, y in mask if keep(cell(x), cell(y))}


def m_ellipse(cx, cy, rx, ry):
    out = set()
    for y in range(FRAME):
        v = centre(y)
        for x in range(FRAME):
            if ((centre(x) - cx) / rx) ** 2 + ((v - cy) / ry) ** 2 <= 1.0:
                out.add((x, y))
    return out


def m_circle(cx, cy, r):
    return m_ellipse(cx, cy, r, r)


def m_ring(cx, cy, r_out, r_in):
    return m_circle(cx, cy, r_out) - m_circle(cx, cy, r_in)


def m_line(x0, y0, x1, y1):
    """A line one design pixel wide: Bresenham's at 32 pixels, otherwise the
    pixels within half a stroke of the segment."""
    if FRAME != SIZE:
        return m_segment(x0, y0, x1, y1, STROKE / SCALE)
    out = set()
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx = 1 if x0 < x1 else -1
    sy = 1 if y0 < y1 else -1
    err = dx + dy
    while True:
        out.add((x0, y0))
        if x0 == x1 and y0 == y1:
            return out
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def m_poly(pts):
    """Filled polygon: pixel centres inside (even-odd) plus the edges."""
    out = set()
    n = len(pts)
    for y in range(FRAME):
        v = centre(y)
        for x in range(FRAME):
            u = centre(x)
            inside = False
            for i in range(n):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
                if (ya > v) != (yb > v):
                    xc = xa + (v - ya) * (xb - xa) / (yb - ya)
                    if u < xc:
                        inside = not inside
            if inside:
                out.add((x, y))
    for i in range(n):
        (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
        out |= m_line(round(xa), round(ya), round(xb), round(yb))
    return out


def m_arc(cx, cy, r, a0, a1, w=1.4):
    """Part of a ring of width w, between angles a0 and a1 (degrees,
    clockwise from the right, since y grows downwards)."""
    out = set()
    for y in range(FRAME):
        for x in range(FRAME):
            u, v = centre(x), centre(y)
            d = math.hypot(u - cx, v - cy)
            a = math.degrees(math.atan2(v - cy, u - cx)) % 360
            if abs(d - r) <= w / 2 and (a - a0) % 360 <= (a1 - a0) % 360:
                out.add((x, y))
    return out


def m_segment(x0, y0, x1, y1, w):
    """Pixels whose centres lie within w/2 of the segment (a thick line with
    round ends), in design units."""
    out = set()
    vx, vy = x1 - x0, y1 - y0
    ll = vx * vx + vy * vy or 1
    for y in range(FRAME):
        for x in range(FRAME):
            u, v = centre(x), centre(y)
            t = max(0.0, min(1.0, ((u - x0) * vx + (v - y0) * vy) / ll))
            px, py = x0 + t * vx, y0 + t * vy
            if (u - px) ** 2 + (v - py) ** 2 <= (w / 2.0) ** 2:
                out.add((x, y))
    return out


def m_thick(x0, y0, x1, y1, w):
    return m_segment(x0, y0, x1, y1, w)


def m_star(cx, cy, r_out, r_in, points=5, rot=-90):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rot + i * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return m_poly(pts)


def border(mask, eight=False):
    """Pixels of the mask within a stroke of a pixel outside it."""
    if eight:
        nb = [(-1, -1), (0, -1), (1, -1), (-1, 0), (1, 0), (-1, 1), (0, 1), (1, 1)]
    else:
        nb = [(0, -1), (-1, 0), (1, 0), (0, 1)]
    out = set()
    rest = set(mask)
    for _ in range(STROKE):
        edge = {(x, y) for (x, y) in rest
                if any((x + dx, y + dy) not in rest for dx, dy in nb)}
        out |= edge
        rest -= edge
    return out


def top_edge(mask, above):
    """Pixels of the mask that have a pixel of `above` within a stroke over
    them."""
    return {(x, y) for x, y in mask
            if any((x, y - k) in above for k in range(1, STROKE + 1))}


# ---------------------------------------------------------------------------
# A tiny 3x5 font for letters and numbers drawn inside icons and for the
# labels on the contact sheet.
# ---------------------------------------------------------------------------
FONT = {
    "A": ".#. #.# ### #.# #.#", "B": "##. #.# ##. #.# ##.", "C": ".## #.. #.. #.. .##",
    "D": "##. #.# #.# #.# ##.", "E": "### #.. ##. #.. ###", "F": "### #.. ##. #.. #..",
    "G": ".## #.. #.# #.# .##", "H": "#.# #.# ### #.# #.#", "I": "### .#. .#. .#. ###",
    "J": "..# ..# ..# #.# .#.", "K": "#.# #.# ##. #.# #.#", "L": "#.. #.. #.. #.. ###",
    "M": "#.# ### ### #.# #.#", "N": "##. #.# #.# #.# #.#", "O": ".#. #.# #.# #.# .#.",
    "P": "##. #.# ##. #.. #..", "Q": ".#. #.# #.# ##. .##", "R": "##. #.# ##. #.# #.#",
    "S": ".## #.. .#. ..# ##.", "T": "### .#. .#. .#. .#.", "U": "#.# #.# #.# #.# ###",
    "V": "#.# #.# #.# #.# .#.", "W": "#.# #.# ### ### #.#", "X": "#.# #.# .#. #.# #.#",
    "Y": "#.# #.# .#. .#. .#.", "Z": "### ..# .#. #.. ###",
    "0": "### #.# #.# #.# ###", "1": ".#. ##. .#. .#. ###", "2": "##. ..# .#. #.. ###",
    "3": "##. ..# .#. ..# ##.", "4": "#.# #.# ### ..# ..#", "5": "### #.. ##. ..# ##.",
    "6": ".## #.. ### #.# ###", "7": "### ..# .#. .#. .#.", "8": "### #.# ### #.# ###",
    "9": "### #.# ### ..# ##.", "=": "... ### ... ### ...", "-": "... ... ### ... ...",
    "+": "... .#. ### .#. ...", ".": "... ... ... ... .#.", " ": "... ... ... ... ...",
    "$": ".## ##. .#. .## ##.", "?": "##. ..# .#. ... .#.", ":": "... .#. ... .#. ...",
    "/": "..# ..# .#. #.. #..", "&": ".#. #.# .#. #.# .##", "!": ".#. .#. .#. ... .#.",
    "(": "..# .#. .#. .#. ..#", ")": "#.. .#. .#. .#. #..", ",": "... ... ... .#. #..",
}
FONT_ROWS = {k: v.split() for k, v in FONT.items()}


def check_font():
    for k, rows in FONT_ROWS.items():
        check(len(rows) == 5 and all(len(r) == 3 and set(r) <= set(".#")
                                     for r in rows),
              "glyph %r is not 3x5" % k)


# ---------------------------------------------------------------------------
# Icon canvas
# ---------------------------------------------------------------------------
class Canvas:
    """One frame's pixels: palette indices, None where the icon is
    transparent.  set() and get() take design coordinates; paint() takes a
    mask of frame pixels."""

    def __init__(self):
        self.p = [[None] * FRAME for _ in range(FRAME)]

    def set(self, x, y, c):
        self.paint(m_rect(x, y, x, y), c)

    def get(self, x, y):
        pixels = m_rect(x, y, x, y)
        if pixels:
            px, py = min(pixels)
            return self.p[py][px]
        return None

    def at(self, pixel):
        x, y = pixel
        return self.p[y][x]

    def paint(self, mask, c):
        for x, y in mask:
            if 0 <= x < FRAME and 0 <= y < FRAME:
                self.p[y][x] = c

    def fill(self, mask, fill, outline=K, eight=False):
        """Paint a shape with a fill colour and an outline."""
        if fill is not None:
            self.paint(mask, fill)
        if outline is not None:
            self.paint(border(mask, eight), outline)
        return mask

    def line(self, x0, y0, x1, y1, c):
        self.paint(m_line(x0, y0, x1, y1), c)

    def rect(self, x0, y0, x1, y1, fill, outline=K):
        return self.fill(m_rect(x0, y0, x1, y1), fill, outline)

    def text(self, x, y, s, c):
        for ch in s:
            rows = FONT_ROWS[ch]
            for j, row in enumerate(rows):
                for i, cell_ in enumerate(row):
                    if cell_ == "#":
                        self.set(x + i, y + j, c)
            x += 4

    def sprite(self, x, y, rows, cmap):
        """Paste a small picture given as strings; '.' is left untouched."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != ".":
                    self.set(x + i, y + j, cmap[ch])


def paint_parts(c, parts, outline=K):
    """Paint (mask, colour) parts in order, then outline their union so the
    whole object gets one continuous dark edge."""
    union = set()
    for mask, col in parts:
        c.paint(mask, col)
        union |= mask
    if outline is not None:
        c.paint(border(union), outline)
    return union


def pencil(c, e, t, w, body=Y):
    """A pencil from eraser end e to tip t, half-width w."""
    ex, ey = e
    tx, ty = t
    ln = math.hypot(tx - ex, ty - ey)
    dx, dy = (tx - ex) / ln, (ty - ey) / ln
    nx, ny = -dy, dx

    def at(s, o):
        return (ex + dx * s + nx * o, ey + dy * s + ny * o)

    def band(s0, s1):
        return m_poly([at(s0, w), at(s0, -w), at(s1, -w), at(s1, w)])

    cone0 = ln - 6
    parts = [
        (band(0, 3), F),
        (band(3, 5), D),
        (band(5, cone0), body),
        (m_poly([at(cone0, w), at(cone0, -w), at(ln, 0)]), W),
        (m_poly([at(ln - 2.5, w * 0.45), at(ln - 2.5, -w * 0.45), at(ln, 0)]), K),
    ]
    u = paint_parts(c, parts)
    return u


CMAP = {"K": K, "M": M, "G": G, "O": O, "N": N, "P": P, "T": T, "D": D,
        "R": R, "L": L, "Y": Y, "B": B, "F": F, "A": A, "W": W}

ICONS = []


def icon(name):
    def reg(fn):
        ICONS.append((name, fn))
        return fn
    return reg


# ---------------------------------------------------------------------------
# Product icons
# ---------------------------------------------------------------------------
DOLLAR = ["..#..",
          ".####",
          "#.#..",
          ".###.",
          "..#.#",
          "####.",
          "..#.."]


def coin(c, cx, y):
    """One gold coin lying flat, seen slightly from above; y is the middle
    of its face."""
    face = m_ellipse(cx, y, 7.6, 3.4)
    side = m_ellipse(cx, y + 2, 7.6, 3.4) | m_rect(cx - 7, y, cx + 7, y + 2)
    c.fill(side, O)
    for x in range(cx - 6, cx + 7, 2):
        c.set(x, y + 3, Y)
    c.fill(face, Y)
    c.paint(border(m_ellipse(cx, y, 5.6, 2.2)), O)
    c.set(cx - 3, y - 1, W)
    c.set(cx - 2, y - 1, W)


@icon("coinstead")
def _coinstead(c):
    c.rect(0, 2, 27, 19, W)
    c.paint(m_rect(1, 3, 26, 5), A)
    c.line(2, 4, 9, 4, T)
    c.sprite(2, 8, DOLLAR, {"#": G})
    c.rect(15, 6, 26, 14, W, N)
    c.text(18, 8, "15", N)
    c.line(8, 11, 14, 11, D)
    c.line(2, 16, 11, 16, D)
    c.line(14, 17, 25, 17, N)
    c.sprite(14, 15, ["..#..#.#..#", ".#.##.#.##."], {"#": N})
    coin(c, 8, 27)
    coin(c, 23, 27)
    coin(c, 23, 24)
    coin(c, 23, 21)


@icon("kinfile")
def _kinfile(c):
    # rotary card file seen from the side: cards fanned out round the hub,
    # the upright one in front with its index tab, a knob on the hub and the
    # stand underneath
    hub = (15.5, 21.0)
    c.fill(m_poly([(10, 22), (21, 22), (27, 30), (4, 30)]), D)
    c.line(5, 29, 26, 29, K)
    # outer cards first so the upright card ends up in front
    for a in (-158, -22, -130, -50, -90):
        rad = math.radians(a)
        dx, dy = math.cos(rad), math.sin(rad)
        nx, ny = -dy, dx

        def at(s_, o):
            return (hub[0] + dx * s_ + nx * o, hub[1] + dy * s_ + ny * o)
        card = m_poly([at(2, 5.5), at(2, -5.5), at(15.5, -5.5), at(15.5, 5.5)])
        c.fill(card, W)
        if a == -90:
            c.rect(10, 3, 14, 6, Y)
            c.paint(m_rect(11, 5, 13, 6), Y)
            c.paint(m_rect(11, 6, 20, 6) - m_rect(10, 6, 14, 6), K)
            for y, ln in ((9, 9), (12, 7), (15, 9)):
                c.line(12, y, 11 + ln, y, N if y == 9 else B)
        else:
            # a line or two of writing on the cards turned away
            c.paint(m_line(round(at(6, -2)[0]), round(at(6, -2)[1]),
                           round(at(12, -2)[0]), round(at(12, -2)[1])), D)
    knob = m_circle(15.5, 21.5, 3.6)
    c.fill(knob, R)
    c.set(14, 20, W)
    c.set(15, 20, W)


@icon("shelvana")
def _shelvana(c):
    c.rect(0, 27, 31, 30, M)
    c.line(1, 28, 30, 28, R)
    # upright books
    c.rect(2, 7, 8, 27, R)
    for y in (10, 23):
        c.line(3, y, 7, y, Y)
    c.rect(9, 3, 15, 27, N)
    c.rect(10, 8, 14, 12, Y, None)
    for y in (5, 24):
        c.line(10, y, 14, y, Y)
    c.rect(16, 9, 20, 27, G)
    for y in (12, 24):
        c.line(17, y, 19, y, W)
    # a book leaning against the others
    lean = m_poly([(21, 27), (26, 27), (31, 12), (27, 10)])
    c.fill(lean, P)
    c.line(24, 24, 28, 14, F)
    # a small heart for book lovers
    c.sprite(22, 1, [".KK.KK.",
                     "KRRKRRK",
                     "KRWRRRK",
                     ".KRRRK.",
                     "..KRK..",
                     "...K..."], CMAP)


@icon("rangekeep")
def _rangekeep(c):
    cx = cy = 15.5
    c.fill(m_circle(cx, cy, 15.6), W)
    c.paint(border(m_circle(cx, cy, 12.2)), K)
    c.fill(m_circle(cx, cy, 9.0), K, None)
    c.paint(border(m_circle(cx, cy, 6.2)), W)
    c.fill(m_circle(cx, cy, 3.2), R, W)
    # bullet holes
    for hx, hy in ((12, 13), (18, 17), (15, 20), (22, 9)):
        inside_black = (hx - cx) ** 2 + (hy - cy) ** 2 <= 81
        col = W if inside_black else K
        c.set(hx, hy, col)
        c.set(hx + 1, hy, col)
        c.set(hx, hy + 1, col)
        c.set(hx + 1, hy + 1, D)


@icon("lockvault")
def _lockvault(c):
    c.rect(0, 10, 21, 29, O)
    c.rect(0, 7, 21, 11, O)
    c.line(1, 9, 20, 9, Y)
    c.rect(0, 15, 21, 21, R)
    c.text(1, 16, "EVID", W)
    # padlock
    shackle = m_ring(24, 17, 5.6, 3.0) & m_rect(0, 0, 31, 19)
    c.fill(shackle, D)
    c.paint(m_ring(24, 17, 4.6, 3.9) & m_rect(0, 0, 23, 17), W)
    body = m_rect(17, 18, 31, 31)
    c.fill(body, Y)
    c.paint(m_rect(18, 28, 30, 30), O)
    c.paint(m_rect(18, 19, 30, 19), W)
    c.sprite(22, 21, [".KKK.",
                      "KKKKK",
                      ".KKK.",
                      "..K..",
                      ".KKK."], CMAP)


@icon("caseforge")
def _caseforge(c):
    c.rect(2, 3, 24, 31, M)
    c.rect(4, 6, 22, 29, W)
    c.rect(8, 1, 18, 6, D)
    c.rect(11, 0, 15, 2, D)
    c.line(9, 4, 17, 4, W)
    for i, y in enumerate(range(10, 28, 3)):
        ln = (14, 10, 13, 8, 14, 11)[i]
        c.line(6, y, 6 + ln, y, N if i == 0 else D)
    pencil(c, (30, 6), (14, 26), 2.3)


@icon("moonvolley")
def _moonvolley(c):
    sky = m_circle(15.5, 15.5, 15.6)
    c.fill(sky, N)
    hill = m_where(sky, lambda x, y: y >= 23 + (x - 12) * (x - 12) // 60)
    c.paint(hill, G)
    c.paint(border(hill) & top_edge(hill, sky - hill), L)
    c.paint(border(sky), K)
    moon = m_circle(9, 8, 5.2) - m_circle(11.5, 6.5, 4.6)
    c.paint(moon, Y)
    for sx, sy in ((16, 4), (21, 12), (4, 15), (13, 13), (27, 20)):
        c.set(sx, sy, W)
    # cannon barrel pointing up to the right, wheel at the breech
    barrel = m_thick(6, 22, 20, 12, 5.6) | m_circle(5, 23, 3.4)
    c.fill(barrel, K, K)
    c.line(7, 19, 19, 10, D)
    c.line(8, 19, 19, 11, D)
    c.fill(m_thick(19, 12, 21, 10.5, 7.0) & m_circle(20, 11, 3.6), K, K)
    wheel = m_circle(11, 24, 5.0)
    c.fill(wheel, M)
    c.paint(m_line(11, 20, 11, 28) | m_line(7, 24, 15, 24) | m_line(8, 21, 14, 27) | m_line(14, 21, 8, 27), O)
    c.fill(m_circle(11, 24, 1.2), Y, K)
    # muzzle flash and the shot on its way
    c.sprite(21, 2, ["....R.R.",
                     ".R..RYR.",
                     "..RYWYR.",
                     ".RYWWYRR",
                     "RYWWYR..",
                     ".RYYR.R.",
                     "R.RR...."], CMAP)
    c.fill(m_circle(28, 6, 1.6), K, None)


@icon("gridlurk")
def _gridlurk(c):
    c.rect(0, 0, 31, 31, W)
    rows = ["QZKBT", "MUXHE", "WORDS", "PYFAL", "JGNIC"]
    band = m_rect(2, 12, 29, 18) - m_points([(2, 12), (29, 12), (2, 18), (29, 18)])
    c.fill(band, Y, R)
    c.fill(band, Y, R)
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            c.text(3 + i * 6, 3 + j * 6, ch, N if j != 2 else K)
    c.paint(border(m_rect(0, 0, 31, 31)), K)


@icon("cipherjest")
def _cipherjest(c):
    c.rect(0, 1, 27, 21, W)
    c.text(2, 3, "A", N)
    c.text(6, 3, "=", D)
    c.text(10, 3, "Q", R)
    c.text(15, 3, "B", N)
    c.text(19, 3, "=", D)
    c.text(23, 3, "X", R)
    c.text(3, 11, "QZ?", R)
    c.line(2, 17, 6, 17, N)
    c.line(7, 17, 11, 17, N)
    c.line(12, 17, 16, 17, N)
    # key
    bow = m_circle(7, 24, 6.2)
    shaft = m_rect(12, 22, 30, 25)
    teeth = m_rect(22, 26, 24, 29) | m_rect(27, 26, 30, 28)
    paint_parts(c, [(bow, Y), (shaft, Y), (teeth, Y)])
    c.fill(m_circle(6, 24, 2.2), None, K)
    c.paint(m_circle(6, 24, 1.5), None)
    c.line(13, 25, 29, 25, O)
    c.set(4, 20, W)
    c.set(3, 21, W)


def person(c, cx, top, shirt, tie=None):
    head = m_circle(cx, top + 4, 4.6)
    body = m_ellipse(cx, top + 15, 7.5, 6.6) & m_rect(0, top + 8, 31, top + 17)
    body |= m_rect(round(cx - 7), top + 14, round(cx + 7), top + 17)
    c.fill(body, shirt)
    c.fill(head, Y)
    c.paint(m_where(head, lambda x, y: y <= top + 2 or
                    (y == top + 3 and abs(x - cx) > 3)), M)
    c.paint(border(head), K)
    if tie is not None:
        c.paint(m_poly([(cx - 2.5, top + 9), (cx + 2.5, top + 9), (cx, top + 13)]), W)
        c.paint(m_rect(round(cx - 0.5), top + 10, round(cx + 0.5), top + 15), tie)


@icon("staffwise")
def _staffwise(c):
    person(c, 7, 1, T)
    person(c, 24, 1, G)
    person(c, 15.5, 12, N, R)
    c.paint({p for p in m_rect(0, 30, 31, 31) if c.at(p) is not None}, K)


@icon("daybeacon")
def _daybeacon(c):
    for bx in (6, 25):
        c.fill(m_circle(bx, 6, 4.6) & m_rect(0, 0, 31, 8), Y)
    c.line(13, 2, 18, 2, K)
    c.fill(m_rect(14, 1, 17, 4), D)
    body = m_circle(15.5, 17.5, 12.3)
    c.fill(body, R)
    c.fill(m_circle(15.5, 17.5, 9.3), W)
    for x, y in ((15, 10), (16, 10), (23, 17), (23, 18), (15, 25), (16, 25), (8, 17), (8, 18)):
        c.set(x, y, K)
    c.line(15, 17, 15, 11, K)
    c.line(16, 17, 20, 21, K)
    c.line(16, 17, 16, 12, N)
    c.fill(m_rect(15, 17, 16, 18), R, None)
    c.line(6, 27, 4, 30, K)
    c.line(25, 27, 27, 30, K)
    c.paint(m_where(border(body), lambda x, y: x < 12 and y < 16), M)


@icon("callwarden")
def _callwarden(c):
    c.rect(16, 0, 18, 9, K)
    c.rect(10, 4, 13, 8, K)
    c.set(11, 5, R)
    c.rect(8, 8, 22, 31, D)
    c.rect(10, 10, 20, 14, A)
    c.line(12, 12, 18, 12, T)
    for y in range(17, 23, 2):
        c.line(11, y, 19, y, K)
    for y in (25, 28):
        for x in (11, 14, 17):
            c.rect(x, y, x + 2, y + 1, W, None)
    c.line(9, 9, 9, 30, W)
    # radio waves
    for r, col in ((4.5, R), (8.0, B)):
        c.paint(m_arc(17, 2.5, r, -60, 60), col)


@icon("rosterline")
def _rosterline(c):
    c.rect(0, 0, 21, 28, W)
    c.rect(1, 1, 20, 5, N, None)
    c.line(3, 3, 16, 3, W)
    for i in range(5):
        y = 8 + i * 4
        c.fill(m_circle(3.5, y + 0.5, 1.6), B, None)
        c.line(7, y, 7 + (12, 9, 11, 8, 12)[i], y, K)
        c.line(7, y + 1, 7 + (8, 6, 7, 9, 5)[i], y + 1, D)
    shield = m_poly([(14, 13), (22, 10), (30, 13), (30, 22), (22, 31), (14, 22)])
    c.fill(shield, Y)
    inner = m_poly([(16, 14), (22, 12), (28, 14), (28, 21), (22, 28), (16, 21)])
    c.paint(border(inner), O)
    c.fill(m_star(22, 19.5, 5.5, 2.3), N, None)


@icon("ticketbase")
def _ticketbase(c):
    c.rect(1, 1, 21, 25, W)
    c.rect(2, 2, 20, 6, R, None)
    c.line(4, 4, 18, 4, W)
    for x in range(1, 22, 2):
        c.set(x, 1, D)
    for y in (9, 12, 15, 18):
        c.line(3, y, 3 + (15, 11, 13, 7)[(y - 9) // 3], y, D)
    c.sprite(3, 18, DOLLAR, {"#": R})
    # car
    body = m_rect(11, 22, 31, 28) | m_poly([(14, 22), (17, 17), (26, 17), (29, 22)])
    c.fill(body, B)
    c.paint(m_poly([(17, 21), (18, 19), (21, 19), (21, 21)]) | m_poly([(23, 19), (26, 19), (27, 21), (23, 21)]), A)
    c.line(12, 24, 30, 24, N)
    c.set(31, 23, Y)
    c.set(11, 23, R)
    for wx in (15, 27):
        c.fill(m_circle(wx, 28, 2.6), K, K)
        c.set(wx, 28, D)


@icon("garagelog")
def _garagelog(c):
    body = m_rect(1, 17, 30, 25) | m_poly([(7, 17), (11, 10), (21, 10), (25, 17)])
    body -= m_points([(1, 17), (30, 17)])
    c.fill(body, R)
    c.paint(m_poly([(10, 16), (12, 12), (15, 12), (15, 16)]), A)
    c.paint(m_poly([(17, 16), (17, 12), (20, 12), (22, 16)]), A)
    c.line(2, 19, 29, 19, W)
    c.paint(m_rect(28, 20, 29, 21), Y)
    c.line(1, 23, 30, 23, M)
    for wx in (8, 23):
        c.fill(m_circle(wx, 25, 4.0), K, K)
        c.fill(m_circle(wx, 25, 1.6), D, None)
    # wrench lying across the roof
    hx, hy, tx, ty = 25.5, 5.0, 7.0, 8.5
    ln = math.hypot(hx - tx, hy - ty)
    dx, dy = (hx - tx) / ln, (hy - ty) / ln
    handle = m_thick(tx, ty, hx, hy, 3.4)
    head = m_circle(hx, hy, 4.4) - m_thick(hx, hy, hx + dx * 8, hy + dy * 8, 2.8)
    ring = m_circle(tx, ty, 3.4)
    paint_parts(c, [(handle, D), (head, D), (ring, D)])
    c.fill(m_circle(tx, ty, 1.2), K, None)
    c.line(10, 7, 21, 5, W)


@icon("drillrecord")
def _drillrecord(c):
    c.rect(2, 1, 31, 22, W)
    c.paint(border(m_rect(4, 3, 29, 20)), B)
    c.line(9, 6, 24, 6, N)
    for y, ln in ((10, 17), (13, 14), (16, 10)):
        c.line(14, y, 14 + ln - 4, y, D)
    c.fill(m_circle(25, 17, 3.4), R)
    c.paint(m_poly([(23, 20), (22, 25), (24, 24), (25, 21)]), R)
    c.paint(m_poly([(26, 21), (27, 24), (29, 25), (27, 20)]), R)
    # sheriff-style six point star badge
    star = m_star(8, 22, 8.6, 4.2, 6)
    c.fill(star, Y)
    c.fill(m_circle(8, 22, 2.6), O, None)
    c.set(7, 21, Y)


@icon("skillrecord")
def _skillrecord(c):
    scroll = m_rect(4, 20, 27, 27)
    c.fill(scroll, W)
    c.fill(m_ellipse(4, 23.5, 2.4, 4.0), W)
    c.fill(m_ellipse(27, 23.5, 2.4, 4.0), W)
    c.paint(m_ellipse(27, 23.5, 1.2, 2.0), D)
    c.rect(14, 20, 17, 27, R, None)
    c.paint(m_poly([(14, 27), (12, 31), (14, 30), (15, 28)]), R)
    c.paint(m_poly([(17, 27), (19, 31), (17, 30), (16, 28)]), R)
    # mortarboard
    cap = m_rect(9, 9, 23, 15) | m_ellipse(16, 15, 7.5, 2.5)
    c.fill(cap, K, K)
    top = m_poly([(16, 1), (31, 7), (16, 13), (1, 7)])
    c.fill(top, K, K)
    c.line(2, 7, 16, 2, D)
    c.line(16, 2, 29, 7, D)
    c.line(16, 7, 27, 10, Y)
    c.line(27, 10, 27, 15, Y)
    c.paint(m_rect(26, 15, 28, 18), Y)
    c.set(16, 7, Y)


@icon("sumstar")
def _sumstar(c):
    tiles = [((0, 0), R), ((17, 0), B), ((0, 17), G), ((17, 17), P)]
    for (x, y), col in tiles:
        c.fill(m_rect(x, y, x + 14, y + 14) - m_points([(x, y), (x + 14, y), (x, y + 14), (x + 14, y + 14)]), col)
    c.paint(m_rect(3, 6, 10, 7) | m_rect(6, 3, 7, 10), W)
    c.paint(m_rect(20, 6, 27, 7), W)
    c.paint(m_thick(4, 20, 10, 26, 2.2) | m_thick(10, 20, 4, 26, 2.2), W)
    c.paint(m_rect(20, 23, 27, 24) | m_rect(23, 19, 24, 20) | m_rect(23, 27, 24, 28), W)
    c.fill(m_star(15.5, 16, 8.6, 3.6), Y)
    c.set(14, 12, W)


# ---------------------------------------------------------------------------
# Command icons
# ---------------------------------------------------------------------------
@icon("welcome")
def _welcome(c):
    c.rect(9, 1, 27, 29, M)
    c.rect(11, 3, 25, 29, Y, None)
    c.paint(m_rect(13, 5, 23, 29), W)
    for x, y in ((13, 5), (23, 5), (14, 5), (22, 5), (13, 6), (23, 6)):
        c.set(x, y, Y)
    leaf = m_poly([(10, 2), (3, 5), (3, 31), (10, 29)])
    c.fill(leaf, O)
    c.set(8, 17, Y)
    c.set(8, 18, Y)
    spill = m_poly([(11, 29), (25, 29), (31, 31), (8, 31)])
    c.paint(spill - leaf, Y)


@icon("quit")
def _quit(c):
    c.rect(3, 1, 18, 30, M)
    c.rect(5, 3, 16, 30, K, None)
    leaf = m_poly([(5, 3), (12, 5), (12, 31), (5, 30)])
    c.fill(leaf, O)
    c.set(11, 17, Y)
    arrow = m_rect(13, 13, 23, 19) | m_poly([(23, 8), (31, 16), (23, 24)])
    c.fill(arrow, L, K)
    c.line(14, 18, 23, 18, G)
    c.line(24, 22, 29, 17, G)


@icon("order")
def _order(c):
    basket = m_poly([(4, 9), (30, 9), (27, 21), (7, 21)])
    grid = set()
    for x in range(8, 30, 4):
        grid |= m_line(x, 9, x - 1 if x > 16 else x, 21)
    for y in (13, 17):
        grid |= m_line(4, y, 30, y)
    # a credit card dropped into the cart
    card = m_rect(11, 1, 28, 12)
    c.fill(card, B)
    c.fill(m_rect(13, 3, 16, 5), Y, O)
    c.fill(m_circle(23.5, 4.5, 1.9), R, None)
    c.fill(m_circle(25.5, 4.5, 1.9) - m_circle(23.5, 4.5, 1.9), Y, None)
    c.paint(basket & grid, D)
    c.paint(border(basket), K)
    c.line(0, 5, 3, 5, K)
    c.line(3, 5, 8, 24, K)
    c.line(8, 24, 28, 24, K)
    for wx in (11, 25):
        c.fill(m_circle(wx, 28, 2.4), D, K)


@icon("download")
def _download(c):
    disk = m_rect(3, 12, 28, 31) - m_poly([(28, 12), (28, 14), (26, 12)])
    c.fill(disk, N)
    c.rect(9, 12, 21, 18, D)
    c.rect(17, 13, 19, 17, K, None)
    c.rect(7, 22, 24, 31, W)
    c.line(9, 25, 22, 25, B)
    c.line(9, 28, 19, 28, B)
    arrow = m_rect(12, 0, 19, 8) | m_poly([(7, 8), (24, 8), (15.5, 17)])
    c.fill(arrow, L, K)
    c.line(18, 1, 18, 8, G)
    c.line(22, 10, 17, 15, G)


def printer(c):
    c.rect(5, 10, 26, 15, D)
    c.rect(1, 14, 30, 27, D)
    c.line(2, 15, 29, 15, W)
    c.rect(5, 22, 26, 25, K, None)
    c.line(6, 23, 25, 23, D)
    c.set(26, 18, L)
    c.set(24, 18, G)
    c.paint(m_rect(3, 28, 28, 29), K)


@icon("printform")
def _printform(c):
    printer(c)
    c.rect(8, 0, 23, 12, W)
    c.rect(9, 1, 22, 2, R, None)
    for y in (4, 8):
        c.line(10, y + 1, 12, y + 1, D)
        c.rect(14, y, 21, y + 2, W, B)
    c.rect(10, 11, 12, 12, W, B)


@icon("printpage")
def _printpage(c):
    printer(c)
    c.rect(8, 0, 23, 12, W)
    for y, ln in ((2, 12), (4, 10), (6, 12), (8, 7), (10, 11)):
        c.line(10, y, 9 + ln, y, K)


@icon("return")
def _return(c):
    ring = m_ring(17, 15, 12.6, 6.4) & m_rect(17, 0, 31, 31)
    top = m_rect(12, 3, 17, 8)
    bottom = m_rect(9, 22, 17, 27)
    head = m_poly([(13, -1), (13, 12), (2, 5.5)])
    arrow = ring | top | head
    arrow |= m_rect(12, 2, 17, 9) & ring
    c.fill(arrow | bottom, B, N)
    c.paint(m_where(border(m_circle(17, 15, 11.6)), lambda x, y: x >= 17 and y <= 15)
            | m_line(12, 4, 17, 4), A)


# ---------------------------------------------------------------------------
# The arrow cursor: the usual arrow shape, green instead of white.
# '#' outline, 'L' light fill, 'G' shaded fill, '.' transparent.
# ---------------------------------------------------------------------------
ARROW = [
    "#..............",
    "##.............",
    "#L#............",
    "#LL#...........",
    "#LLL#..........",
    "#LLLL#.........",
    "#LLLLL#........",
    "#LLLLLL#.......",
    "#LLLLLLL#......",
    "#LLLLLLLL#.....",
    "#LLLLLLLLL#....",
    "#LLLLLLLLLL#...",
    "#LLLLLLGGGGG#..",
    "#LLLG#LG#####..",
    "#LLG##LLG#.....",
    "#LG#..#LG#.....",
    "#G#...#LLG#....",
    "##.....#LG#....",
    "#......#LLG#...",
    ".......#LLG#...",
    "........#G#....",
    "........###....",
]
CURSOR_HOTSPOT = (0, 0)


def draw_cursor():
    c = Canvas()
    c.sprite(0, 0, ARROW, {"#": K, "L": L, "G": G})
    return c


# ---------------------------------------------------------------------------
# .ico / .cur writer: one image per frame, square, in the VGA palette.  The
# first frame (32 pixels) is a 4-bit bitmap: XOR bitmap bottom-up followed by
# the 1-bit AND mask (1 = transparent), rows padded to whole 32-bit words.
# The larger frames are 4-bit palette PNG images (Windows Vista and later
# read them), with silver, which no icon draws, as the transparent colour:
# a third of the size of bitmaps, and the program reads them only on
# displays of another scale.
# ---------------------------------------------------------------------------
def row_bytes(bits):
    return (bits + 31) // 32 * 4


def dib_bytes(rows):
    n = len(rows)
    xor_len, and_len = row_bytes(4 * n), row_bytes(n)
    xor_rows = []
    and_rows = []
    for y in range(n - 1, -1, -1):
        row = rows[y]
        xb = bytearray(xor_len)
        ab = bytearray(and_len)
        for x in range(n):
            if row[x] is None:
                ab[x // 8] |= 0x80 >> (x % 8)
            else:
                xb[x // 2] |= row[x] << (4 if x % 2 == 0 else 0)
        xor_rows.append(bytes(xb))
        and_rows.append(bytes(ab))
    xor = b"".join(xor_rows)
    mask = b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + pal + xor + mask


PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
PNG_TRNS = bytes(255 if i != SILVER else 0 for i in range(SILVER + 1))


def png_chunk(tag, body):
    return struct.pack(">I", len(body)) + tag + body + \
        struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)


def png_bytes(rows):
    n = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)                      # no filter
        line = bytearray((n + 1) // 2)
        for x in range(n):
            idx = SILVER if row[x] is None else row[x]
            line[x // 2] |= idx << (4 if x % 2 == 0 else 0)
        raw.extend(line)
    return (PNG_SIGNATURE +
            png_chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 4, 3, 0, 0, 0)) +
            png_chunk(b"PLTE", b"".join(bytes(c) for c in PALETTE)) +
            png_chunk(b"tRNS", PNG_TRNS) +
            png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            png_chunk(b"IEND", b""))


def icon_file(frames, cursor_hotspot=None):
    """frames: rows of palette indices (None transparent), one per size."""
    images = [dib_bytes(rows) if i == 0 else png_bytes(rows) for i, rows in enumerate(frames)]
    kind = 1 if cursor_hotspot is None else 2
    if cursor_hotspot is None:
        planes, bits = 1, 4
    else:
        planes, bits = cursor_hotspot
    head = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for rows, image in zip(frames, images):
        n = len(rows)
        entries += struct.pack("<BBBBHHII", n, n, 16, 0, planes, bits, len(image), offset)
        offset += len(image)
    return head + entries + b"".join(images)


def parse_dib(data, n):
    xor_len, and_len = row_bytes(4 * n), row_bytes(n)
    (bsize, bw, bh, planes, bpp, comp, simg, _, _, used, _) = \
        struct.unpack_from("<IiiHHIIiiII", data, 0)
    check((bsize, bw, bh, planes, bpp, comp) == (40, n, 2 * n, 1, 4, 0),
          "bad BITMAPINFOHEADER")
    check(simg == n * (xor_len + and_len) and len(data) == 40 + 64 + simg, "bad biSizeImage")
    for j, (r, g, b) in enumerate(PALETTE):
        check(data[40 + 4 * j:44 + 4 * j] == bytes((b, g, r, 0)), "palette entry %d wrong" % j)
    xor = data[104:104 + n * xor_len]
    mask = data[104 + n * xor_len:]
    rows = []
    for y in range(n):
        fy = n - 1 - y
        row = []
        for x in range(n):
            v = xor[fy * xor_len + x // 2]
            idx = (v >> 4) if x % 2 == 0 else (v & 15)
            transparent = mask[fy * and_len + x // 8] & (0x80 >> (x % 8))
            if transparent:
                check(idx == 0, "transparent pixel with colour at %d,%d" % (x, y))
                row.append(None)
            else:
                row.append(idx)
        rows.append(row)
    return rows


def parse_png(data, n):
    check(data.startswith(PNG_SIGNATURE), "frame is neither a bitmap nor a PNG image")
    pos = len(PNG_SIGNATURE)
    chunks = []
    while pos < len(data):
        length, = struct.unpack_from(">I", data, pos)
        tag = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack_from(">I", data, pos + 8 + length)
        check(crc == zlib.crc32(tag + body) & 0xFFFFFFFF, "bad CRC in " + repr(tag))
        chunks.append((tag, body))
        pos += 12 + length
    check([t for t, _ in chunks] == [b"IHDR", b"PLTE", b"tRNS", b"IDAT", b"IEND"], "unexpected chunks")
    body = dict(chunks)
    check(body[b"IHDR"] == struct.pack(">IIBBBBB", n, n, 4, 3, 0, 0, 0), "bad IHDR")
    check(body[b"PLTE"] == b"".join(bytes(c) for c in PALETTE), "bad PLTE")
    check(body[b"tRNS"] == PNG_TRNS, "bad tRNS")
    raw = zlib.decompress(body[b"IDAT"])
    stride = 1 + (n + 1) // 2
    check(len(raw) == n * stride, "bad image size")
    rows = []
    for y in range(n):
        line = raw[y * stride:(y + 1) * stride]
        check(line[0] == 0, "filtered row")
        row = []
        for x in range(n):
            v = line[1 + x // 2]
            idx = (v >> 4) if x % 2 == 0 else (v & 15)
            row.append(None if idx == SILVER else idx)
        rows.append(row)
    return rows


def parse_icon_file(data):
    """Read back a file written by icon_file() and check its layout; returns
    (kind, hotspot-or-planes/bits, one list of rows of palette index or None
    per frame)."""
    res, kind, count = struct.unpack_from("<HHH", data, 0)
    check(res == 0 and kind in (1, 2) and count >= 1, "bad ICONDIR")
    frames = []
    hot = None
    expected_offset = 6 + 16 * count
    for i in range(count):
        n, h, ncol, r0, f1, f2, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        check(n == h and ncol == 16 and r0 == 0, "bad ICONDIRENTRY %d" % i)
        check(hot in (None, (f1, f2)), "entries differ in planes/bits or hotspot")
        hot = (f1, f2)
        check(off == expected_offset and off + size <= len(data), "bad entry size/offset")
        expected_offset += size
        image = data[off:off + size]
        frames.append(parse_dib(image, n) if i == 0 else parse_png(image, n))
    check(expected_offset == len(data), "bad file size %d" % len(data))
    return kind, hot, frames


# ---------------------------------------------------------------------------
# Seamless background textures.  Every pattern is periodic in the tile size,
# so tiles butt together without a seam.
# ---------------------------------------------------------------------------
def clamp8(v):
    return max(0, min(255, int(round(v))))


class PeriodicNoise:
    """Value noise on a lattice that wraps around: cells across x and cy
    across y, smoothly interpolated."""

    def __init__(self, rng, cx, cy):
        self.cx, self.cy = cx, cy
        self.v = [[rng.random() for _ in range(cx)] for _ in range(cy)]

    def at(self, u, v):
        """u, v in tile units 0..1 (wrapping)."""
        x = (u % 1.0) * self.cx
        y = (v % 1.0) * self.cy
        x0, y0 = int(x), int(y)
        fx, fy = x - x0, y - y0
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        x1, y1 = (x0 + 1) % self.cx, (y0 + 1) % self.cy
        a = self.v[y0][x0] + (self.v[y0][x1] - self.v[y0][x0]) * fx
        b = self.v[y1][x0] + (self.v[y1][x1] - self.v[y1][x0]) * fx
        return a + (b - a) * fy


def fbm(rng, octaves):
    """Sum of periodic noises; octaves is a list of (cells_x, cells_y, weight)."""
    layers = [(PeriodicNoise(rng, cx, cy), w) for cx, cy, w in octaves]
    total = sum(w for _, w in layers)

    def f(u, v):
        return sum(n.at(u, v) * w for n, w in layers) / total
    return f


def tex_paper_weave(w, h):
    """Home & Office: cream paper with a faint basket weave."""
    rng = random.Random(4101)
    grain = fbm(rng, [(20, 18, 1.0), (50, 45, 0.6)])
    cloud = fbm(rng, [(4, 3, 1.0), (10, 9, 0.5)])
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            # 5-pixel threads; blocks alternate between running across and
            # running down, period 10 pixels, which divides 100 and 90
            bx, by = x // 5, y // 5
            across = (bx + by) % 2 == 0
            t = (y % 5) if across else (x % 5)
            thread = math.sin(math.pi * (t + 0.5) / 5.0)
            g = grain(x / w, y / h)
            k = cloud(x / w, y / h)
            gap = 1.0 if (x % 5 == 0 and not across) or (y % 5 == 0 and across) else 0.0
            lum = -10 + 12 * thread - 5 * gap + 8 * (g - 0.5) + 6 * (k - 0.5)
            row.append((clamp8(250 + lum), clamp8(243 + lum), clamp8(222 + lum * 1.1)))
        px.append(row)
    return px


def tex_steel_diagonal(w, h):
    """Law Enforcement: pale steel blue with soft diagonal brushing."""
    rng = random.Random(4102)
    brush = fbm(rng, [(25, 30, 1.0), (50, 45, 0.5)])
    cloud = fbm(rng, [(5, 3, 1.0), (10, 6, 0.4)])
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            # stripes along x + y with period 10 (divides both 100 and 90)
            s = math.cos(2 * math.pi * (x + y) / 10.0)
            fine = brush((x - y) / w, (x + y) / h * 0.0 + y / h)
            k = cloud(x / w, y / h)
            lum = 6 * s + 10 * (fine - 0.5) + 8 * (k - 0.5)
            row.append((clamp8(214 + lum), clamp8(226 + lum), clamp8(240 + lum * 0.6)))
        px.append(row)
    return px


def point_in_poly(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
        if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
            inside = not inside
    return inside


def tex_yellow_shapes(w, h):
    """Learning can be Fun!: pale yellow with faint stars, rings and plus
    signs scattered about (drawn with wrap-around so they cross the edges)."""
    rng = random.Random(4103)
    cloud = fbm(rng, [(4, 3, 1.0), (10, 9, 0.5)])
    cover = [[0.0] * w for _ in range(h)]
    shapes = [
        ("star", 14, 16, 7.5, 10), ("ring", 60, 12, 6.0, 0), ("plus", 88, 40, 5.0, 0),
        ("ring", 28, 62, 5.0, 0), ("star", 72, 68, 8.5, -8), ("plus", 44, 34, 4.0, 0),
        ("star", 95, 84, 6.0, 20), ("plus", 8, 82, 4.5, 0), ("ring", 96, 6, 4.0, 0),
        ("star", 48, 84, 4.5, -15),
    ]
    sub = [(i + 0.5) / 4.0 for i in range(4)]
    for kind, sx, sy, r, rot in shapes:
        star = None
        if kind == "star":
            star = []
            for i in range(10):
                rr = r if i % 2 == 0 else r * 0.45
                a = math.radians(rot - 90 + i * 36)
                star.append((rr * math.cos(a), rr * math.sin(a)))
        for y in range(h):
            for x in range(w):
                # offset to the shape's centre, the short way round the tile
                dx0 = (x - sx + w / 2) % w - w / 2
                dy0 = (y - sy + h / 2) % h - h / 2
                if abs(dx0) > r + 2 or abs(dy0) > r + 2:
                    continue
                hits = 0
                for oy in sub:
                    for ox in sub:
                        dx, dy = dx0 - 0.5 + ox, dy0 - 0.5 + oy
                        if kind == "ring":
                            hit = abs(math.hypot(dx, dy) - r) <= 1.1
                        elif kind == "plus":
                            hit = (abs(dx) <= r and abs(dy) <= 1.2) or \
                                  (abs(dy) <= r and abs(dx) <= 1.2)
                        else:
                            hit = point_in_poly(dx, dy, star)
                        hits += hit
                cover[y][x] = max(cover[y][x], hits / 16.0)
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            k = cloud(x / w, y / h)
            s = cover[y][x]
            lum = 8 * (k - 0.5)
            row.append((clamp8(255 - 4 * s + lum * 0.3), clamp8(250 - 16 * s + lum),
                        clamp8(205 - 30 * s + lum * 1.5)))
        px.append(row)
    return px


def tex_window(w, h):
    """Main window: soft lavender marbling around (192,192,255)."""
    rng = random.Random(4104)
    cloud = fbm(rng, [(3, 6, 1.0), (5, 10, 0.6), (15, 30, 0.3)])
    grain = fbm(rng, [(25, 50, 1.0)])
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            k = cloud(x / w, y / h)
            m = math.sin(2 * math.pi * (x / w + 2 * y / h) + 6 * k)
            g = grain(x / w, y / h)
            lum = 5 * m + 5 * (g - 0.5)
            row.append((clamp8(194 + lum), clamp8(194 + lum), clamp8(252 + lum * 0.3)))
        px.append(row)
    return px


def tex_glass(w, h):
    """Dark green glass: Voronoi cells on a torus (so the tile wraps), each
    cell a slightly tilted facet, with dark leading between cells, a bevel
    that catches the light on its upper-left side and a soft glint."""
    rng = random.Random(4105)
    sites = []
    for _ in range(30):
        sites.append((rng.random() * w, rng.random() * h,     # position
                      rng.random(),                            # tone
                      rng.uniform(-1, 1), rng.uniform(-1, 1),  # facet tilt
                      rng.uniform(3, 8),                       # glint offset
                      rng.random() ** 2))                      # glint strength
    shimmer = fbm(rng, [(5, 5, 1.0), (10, 10, 0.5), (25, 25, 0.25)])
    px = []
    for y in range(h):
        row = []
        for x in range(w):
            d1 = d2 = 1e9
            i1 = 0
            for i, site in enumerate(sites):
                dx = abs(x + 0.5 - site[0])
                dy = abs(y + 0.5 - site[1])
                dx = min(dx, w - dx)
                dy = min(dy, h - dy)
                d = dx * dx + dy * dy
                if d < d1:
                    d1, d2, i1 = d, d1, i
                elif d < d2:
                    d2 = d
            sx, sy, tone, tx, ty, gl, gs = sites[i1]
            d1, d2 = math.sqrt(d1), math.sqrt(d2)
            # distance to the border with the nearest other cell
            edge = (d2 * d2 - d1 * d1) / (2 * d2) if d2 > 0 else 99
            vx = (x + 0.5 - sx + w / 2) % w - w / 2
            vy = (y + 0.5 - sy + h / 2) % h - h / 2
            n = shimmer(x / w, y / h)
            v = 0.30 + 0.30 * tone + 0.012 * (tx * vx + ty * vy) + 0.35 * (n - 0.5)
            # bevel: within 3 px of the border, light on the upper-left side
            # of the cell, shade on the lower-right
            if edge < 3.0:
                ln = math.hypot(vx, vy) or 1.0
                facing = -(vx + vy) / (ln * 1.414)
                v += 0.45 * (1 - edge / 3.0) * facing
            # a soft streak of reflected light, running diagonally
            along, across = (vx - vy) / 1.414, (vx + vy) / 1.414 + gl
            glint = gs * math.exp(-(along * along) / 40.0 - (across * across) / 5.0)
            v = max(0.0, v)
            r = 6 + 30 * v + 110 * glint
            g = 30 + 120 * v + 130 * glint
            b = 14 + 45 * v + 100 * glint
            lead = min(1.0, max(0.0, (edge - 0.5) / 1.0))
            lead = 0.15 + 0.85 * lead
            row.append((clamp8(r * lead), clamp8(g * lead), clamp8(b * lead)))
        px.append(row)
    return px


def add_grain(px, seed, amount=3, tint=4):
    """Finish a texture the way real scanned paper or fabric looks: a slow,
    slight drift in hue (periodic in the tile, like every other pattern
    here) and fine per-pixel grain (independent per pixel, so it cannot
    make a seam either)."""
    rng = random.Random(seed)
    h, w = len(px), len(px[0])
    drift = [fbm(rng, [(3, 3, 1.0), (6, 6, 0.5)]) for _ in range(3)]
    out = []
    for y, row in enumerate(px):
        nrow = []
        for x, (r, g, b) in enumerate(row):
            u, v = x / w, y / h
            lum = rng.randint(-amount, amount)
            nrow.append(tuple(clamp8(ch + lum + rng.randint(-1, 1)
                                     + 2 * tint * (drift[i](u, v) - 0.5))
                              for i, ch in enumerate((r, g, b))))
        out.append(nrow)
    return out


JPEGS = [
    ("tab0", 100, 90, tex_paper_weave),
    ("tab1", 100, 90, tex_steel_diagonal),
    ("tab2", 100, 90, tex_yellow_shapes),
    ("window", 75, 150, tex_window),
    ("glass", 200, 200, tex_glass),
]


def write_ppm(path, px):
    h, w = len(px), len(px[0])
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        f.write(bytes(v for row in px for p in row for v in p))


def read_ppm(data):
    parts = []
    pos = 0
    while len(parts) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            while data[pos:pos + 1] != b"\n":
                pos += 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        parts.append(data[start:pos])
    pos += 1
    check(parts[0] == b"P6" and parts[3] == b"255", "unexpected PPM")
    w, h = int(parts[1]), int(parts[2])
    raw = data[pos:pos + w * h * 3]
    return [[tuple(raw[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)]
            for y in range(h)]


def write_jpeg(path, px):
    with tempfile.TemporaryDirectory() as tmp:
        ppm = os.path.join(tmp, "in.ppm")
        write_ppm(ppm, px)
        subprocess.run([CONVERT, ppm, "-strip", "-quality", "90",
                        "-interlace", "none", "-sampling-factor", "1x1,1x1,1x1",
                        "-type", "TrueColor", "jpg:" + path], check=True)


def decode_jpeg(path):
    out = subprocess.run([CONVERT, path, "ppm:-"], check=True,
                         stdout=subprocess.PIPE).stdout
    return read_ppm(out)


def check_jpeg(path, w, h):
    # what ImageMagick itself makes of the file
    info = subprocess.run([IDENTIFY, "-format", "%[interlace] %[type] %[colorspace] %[depth]",
                           path], check=True, stdout=subprocess.PIPE).stdout.decode().split()
    check(info == ["None", "TrueColor", "sRGB", "8"],
          path + ": identify says %s, want None TrueColor sRGB 8" % " ".join(info))
    data = open(path, "rb").read()
    check(data[:2] == b"\xff\xd8", path + ": not a JPEG")
    # walk the markers: need SOF0 (baseline), 3 components, 8 bits, no SOF2
    pos = 2
    sof = None
    while pos < len(data):
        check(data[pos] == 0xFF, path + ": bad marker stream")
        marker = data[pos + 1]
        if marker == 0xDA:
            break
        seglen = struct.unpack_from(">H", data, pos + 2)[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            check(sof is None, path + ": two frame headers")
            sof = (marker,) + struct.unpack_from(">BHHB", data, pos + 4)
        pos += 2 + seglen
    check(sof is not None, path + ": no frame header")
    marker, bits, hh, ww, comps = sof
    check(marker == 0xC0, path + ": not baseline (SOF%d)" % (marker - 0xC0))
    check(bits == 8 and comps == 3, path + ": not 8-bit 3-component colour")
    check((ww, hh) == (w, h), path + ": size %dx%d, want %dx%d" % (ww, hh, w, h))


def seam_score(px):
    """Compare the jump across each tile edge (last column to first, last row
    to first) with the largest jump between neighbouring columns or rows
    inside the tile.  A seamless tile scores at most about 1."""
    h, w = len(px), len(px[0])

    def diff(a, b):
        return sum(abs(a[i] - b[i]) for i in range(3))

    def col_jump(x0, x1):
        return sum(diff(px[y][x0], px[y][x1]) for y in range(h)) / h

    def row_jump(y0, y1):
        return sum(diff(px[y0][x], px[y1][x]) for x in range(w)) / w
    inner_x = max(col_jump(x, x + 1) for x in range(w - 1))
    inner_y = max(row_jump(y, y + 1) for y in range(h - 1))
    # jumps below 4 (summed over R, G and B) cannot be seen at all
    return (col_jump(w - 1, 0) / max(inner_x, 4.0),
            row_jump(h - 1, 0) / max(inner_y, 4.0))


# ---------------------------------------------------------------------------
# PNG writer for the contact sheet (stdlib zlib; no timestamps, so the file
# is byte-for-byte the same on every run).
# ---------------------------------------------------------------------------
def write_png(path, px):
    h, w = len(px), len(px[0])
    raw = bytearray()
    for row in px:
        raw.append(0)
        for p in row:
            raw.extend(p)

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + \
            struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)
    data = b"\x89PNG\r\n\x1a\n"
    data += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


class Sheet:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def rect(self, x0, y0, x1, y1, col):
        for y in range(max(0, y0), min(self.h, y1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1)):
                row[x] = col

    def image(self, x0, y0, rows, scale=1):
        for y, row in enumerate(rows):
            for x, p in enumerate(row):
                if p is None:
                    continue
                col = PALETTE[p] if isinstance(p, int) else p
                for j in range(scale):
                    for i in range(scale):
                        xx, yy = x0 + x * scale + i, y0 + y * scale + j
                        if 0 <= xx < self.w and 0 <= yy < self.h:
                            self.px[yy][xx] = col

    def text(self, x, y, s, col, scale=2):
        for ch in s.upper():
            rows = FONT_ROWS.get(ch, FONT_ROWS["?"])
            self.image(x, y, [[col if cell == "#" else None for cell in r] for r in rows], scale)
            x += 4 * scale


# Faces the product buttons may be painted with; the contact sheet shows every
# icon on each so an icon that vanishes into one of them is easy to spot.
PREVIEW_BACKGROUNDS = [
    ("window (192,192,255)", (192, 192, 255)),
    ("button face silver", (192, 192, 192)),
    ("button face yellow", (255, 255, 192)),
    ("button face green", (192, 255, 192)),
    ("button face aqua", (192, 255, 255)),
    ("button face pink", (255, 208, 224)),
]


def make_preview(path, icons, cursor, jpegs):
    """icons: (name, frames) with the frames in the order of FRAMES."""
    cols = 13
    cell = 100
    cell_h = 112
    band_h = 2 * cell_h + 24
    frame_cols = 2
    frame_w = sum(FRAMES) + 6 * len(FRAMES) + 20
    frame_h = max(FRAMES) + 16
    frames_h = 14 + (len(icons) + frame_cols - 1) // frame_cols * frame_h + 10
    jpeg_h = 2 * 200 + 40
    w = cols * cell + 20
    h = 10 + band_h * len(PREVIEW_BACKGROUNDS) + frames_h + jpeg_h + 10
    sh = Sheet(w, h, (255, 255, 255))
    y = 10
    for label, bg in PREVIEW_BACKGROUNDS:
        sh.text(10, y, label, (0, 0, 0))
        sh.rect(10, y + 14, 10 + cols * cell, y + 14 + 2 * cell_h, bg)
        items = [(name, frames[0]) for name, frames in icons] + [("cursor", cursor)]
        for i, (name, rows) in enumerate(items):
            cx = 10 + (i % cols) * cell
            cy = y + 14 + (i // cols) * cell_h
            sh.image(cx + 2, cy + 2, rows, 3)
            sh.text(cx + 2, cy + 101, name, (0, 0, 0), 1)
        y += band_h
    # every frame at its own size, as the buttons show them at 96, 120, 144...
    # dots per inch, on the silver face
    sh.text(10, y, "frames of " + " ".join(str(n) for n in FRAMES) + " pixels", (0, 0, 0))
    y += 14
    sh.rect(10, y, 10 + frame_cols * frame_w, y + frames_h - 24, (192, 192, 192))
    for i, (name, frames) in enumerate(icons):
        x = 12 + (i % frame_cols) * frame_w
        top = y + (i // frame_cols) * frame_h
        for rows in frames:
            sh.image(x, top + max(FRAMES) - len(rows), rows)
            x += len(rows) + 6
        sh.text(12 + (i % frame_cols) * frame_w, top + max(FRAMES) + 4, name, (0, 0, 0), 1)
    y += frames_h - 14
    # the JPEGs, each tiled 2x2 so a seam would show
    x = 10
    sh.text(10, y, "backgrounds tiled 2x2", (0, 0, 0))
    y += 14
    for name, rows in jpegs:
        hh, ww = len(rows), len(rows[0])
        for ty in range(2):
            for tx in range(2):
                sh.image(x + tx * ww, y + ty * hh, rows)
        sh.text(x, y + 2 * hh + 4, name, (0, 0, 0), 1)
        x += 2 * ww + 12
    write_png(path, sh.px)


# ---------------------------------------------------------------------------
# pictures.rc: every picture as raw RCDATA; the program decodes them itself.
# ---------------------------------------------------------------------------
WINDRES = "/usr/bin/x86_64-w64-mingw32-windres"


def rc_entries():
    out = [("ICON_" + n.upper(), "icons/%s.ico" % n) for n, _ in ICONS]
    out.append(("CURSOR_ARROW", "cursors/arrow.cur"))
    out += [("JPG_" + n.upper(), "images/%s.jpg" % n) for n, _, _, _ in JPEGS]
    return out


def write_pictures_rc():
    entries = rc_entries()
    text = "".join('%s RCDATA "%s"\n' % e for e in entries)
    with open(os.path.join(RES, "pictures.rc"), "w", newline="\n") as f:
        f.write(text)
    return entries


def read_res(data):
    """Yield (type, name, bytes) for each resource in a .res file; type and
    name are ints or upper-case strings."""
    pos = 0

    def ident(p):
        if struct.unpack_from("<H", data, p)[0] == 0xFFFF:
            return struct.unpack_from("<H", data, p + 2)[0], p + 4
        end = p
        while struct.unpack_from("<H", data, end)[0] != 0:
            end += 2
        return data[p:end].decode("utf-16-le"), end + 2
    while pos + 8 <= len(data):
        size, hsize = struct.unpack_from("<II", data, pos)
        rtype, p = ident(pos + 8)
        name, p = ident(p)
        yield rtype, name, data[pos + hsize:pos + hsize + size]
        pos += hsize + size
        pos = (pos + 3) & ~3


def check_pictures_rc(entries):
    if not os.path.exists(WINDRES):
        print("windres not found; pictures.rc not compiled")
        return
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "p.res")
        subprocess.run([WINDRES, "-I.", "pictures.rc", "-O", "res", "-o", out],
                       cwd=RES, check=True)
        got = {name: body for rtype, name, body in read_res(open(out, "rb").read())
               if rtype == 10}                              # RT_RCDATA
    check(sorted(got) == sorted(n for n, _ in entries),
          "pictures.rc compiles to %s" % sorted(got))
    for name, path in entries:
        check(got[name] == open(os.path.join(RES, path), "rb").read(),
              name + ": compiled bytes differ from " + path)


# ---------------------------------------------------------------------------
# The program's own icon: an open catalog, a navy "T" for Tamrix on the left
# page and product tiles in the buttons' colours on the right, on the navy
# cover.  Drawn as shapes with anti-aliased edges at every size Windows asks
# for; up to 64 pixels the shapes keep to whole pixels (crisp at 16), the
# 256-pixel image adds shading, rounded tiles and a shadow.  Written as
# resources/icons/catalog.ico: 32-bit images with alpha, the 256-pixel one
# compressed as PNG.
# ---------------------------------------------------------------------------
APP_ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
NAVY = (0, 0, 128)
PAPER = (255, 253, 240)
# The product buttons' colours on the main page, brightest first.
TILE_COLOURS = [(255, 128, 0), (0, 208, 0), (232, 96, 232),
                (80, 96, 255), (0, 208, 208), (255, 192, 64)]


def poly_coverage(size, pts, sub=4):
    """Coverage (0..1) of each pixel by a polygon (even-odd), from `sub`
    sample rows per pixel with exact horizontal coverage along each row."""
    cov = [[0.0] * size for _ in range(size)]
    n = len(pts)
    for py in range(size):
        row = cov[py]
        for s in range(sub):
            y = py + (s + 0.5) / sub
            xs = []
            for i in range(n):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
                if (ya > y) != (yb > y):
                    xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for k in range(0, len(xs) - 1, 2):
                x0, x1 = max(0.0, xs[k]), min(float(size), xs[k + 1])
                if x1 <= x0:
                    continue
                i0, i1 = int(x0), min(size - 1, int(x1))
                for i in range(i0, i1 + 1):
                    a = max(x0, i) - i
                    b = min(x1, i + 1) - i
                    if b > a:
                        row[i] += (b - a) / sub
    return cov


def rounded_rect(x0, y0, x1, y1, r, steps=6):
    if r <= 0:
        return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    pts = []
    for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0),
                       (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        for k in range(steps + 1):
            a = math.radians(a0 + 90.0 * k / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


class IconImage:
    """Straight-alpha RGBA pixels; shapes are laid over with 'over'."""

    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def over(self, pts, colour, alpha=1.0):
        """`colour` is an (r, g, b) or a function of the pixel centre."""
        cov = poly_coverage(self.size, pts)
        for y in range(self.size):
            for x in range(self.size):
                c = cov[y][x]
                if c <= 0:
                    continue
                sa = min(1.0, c) * alpha
                sr, sg, sb = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                dr, dg, db, da = self.px[y][x]
                oa = sa + da * (1 - sa)
                if oa <= 0:
                    continue
                mix = lambda s_, d_: (s_ * sa + d_ * da * (1 - sa)) / oa
                self.px[y][x] = (mix(sr, dr), mix(sg, dg), mix(sb, db), oa)

    def rgba(self):
        return [[(clamp8(r), clamp8(g), clamp8(b), clamp8(a * 255)) for r, g, b, a in row]
                for row in self.px]


def shade(colour, amount):
    return tuple(max(0, min(255, v + amount)) for v in colour)


def draw_app_icon(size):
    """The catalog icon at one size, as rows of (r, g, b, a)."""
    img = IconImage(size)
    fine = size >= 128
    u = size / 16.0                                 # one unit of the 16-pixel design

    def p(v):                                       # whole pixels up to 64
        return v * u if fine else float(math.floor(v * u + 0.5))

    def rect(x0, y0, x1, y1, r=0.0):
        return rounded_rect(p(x0), p(y0), p(x1), p(y1), r * u)

    if fine:
        # a soft shadow under the book
        for k, a in ((0.9, 0.10), (0.6, 0.14), (0.3, 0.18)):
            img.over(rect(0.6 - k, 4.8, 15.4 + k, 15.6 + k * 0.4, 1.0 + k), (0, 0, 0), a)
    # the cover, navy, one unit wider than the pages on each side and below
    img.over(rect(0, 4, 16, 15, 0.5 if fine else 0), NAVY)
    if fine:
        img.over(rect(0.25, 4.25, 15.75, 4.75), (40, 40, 170))
    # the pages: their top edges dip towards the spine in the large image
    dip = 0.35 if fine else 0.0
    left = [(p(1), p(3)), (p(4), p(3) - dip * u), (p(8), p(3) + dip * u), (p(8), p(14)), (p(1), p(14))]
    right = [(p(8), p(3) + dip * u), (p(12), p(3) - dip * u), (p(15), p(3)), (p(15), p(14)), (p(8), p(14))]
    img.over(left, PAPER)
    img.over(right, PAPER)
    # the fold at the spine, darkest in the middle
    half = 0.3 if fine else 0.5
    f0, f1 = p(8 - half), p(8 + half)
    img.over(rect(8 - half, 3, 8 + half, 14),
             lambda x, y: shade(PAPER, -95 + int(50 * abs(x - (f0 + f1) / 2) / max(0.5, (f1 - f0) / 2))))
    if fine:
        # the page edges below, a few sheets thick
        for k in range(3):
            img.over(rect(1 + k * 0.15, 13.6 + k * 0.12, 15 - k * 0.15, 13.72 + k * 0.12), (200, 196, 180))
    # the T on the left page
    t_bar = rect(2, 4, 6, 6, 0.15 if fine else 0)
    t_stem = rect(3, 6, 5, 12, 0.15 if fine else 0)
    if fine:
        img.over([(x + 0.35 * u, y + 0.35 * u) for x, y in t_bar], (0, 0, 0), 0.25)
        img.over([(x + 0.35 * u, y + 0.35 * u) for x, y in t_stem], (0, 0, 0), 0.25)
    img.over(t_bar, NAVY)
    img.over(t_stem, NAVY)
    if fine:
        img.over(rect(2.15, 4.15, 5.85, 4.6, 0.1), (60, 60, 200))
    # the product tiles on the right page: two columns, three rows
    side = 2 * u if fine else float(max(1, math.floor(2 * u + 0.5)))   # every tile the same size
    for i, colour in enumerate(TILE_COLOURS):
        tx, ty = 9 + 3 * (i % 2), 4 + 3 * (i // 2)
        tile = rounded_rect(p(tx), p(ty), p(tx) + side, p(ty) + side, 0.3 * u if fine else 0)
        if fine:
            top, height = p(ty), p(ty + 2) - p(ty)
            img.over(tile, shade(colour, -90))
            inner = rect(tx + 0.12, ty + 0.12, tx + 1.88, ty + 1.88, 0.22)
            img.over(inner, lambda x, y, c=colour: shade(c, int(70 - 110 * (y - top) / height)))
        else:
            img.over(tile, colour)
    return img.rgba()


def bmp_icon_entry(rows):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    size = len(rows)
    xor = bytearray()
    mask = bytearray()
    stride = (size + 31) // 32 * 4
    for y in range(size - 1, -1, -1):
        bits = bytearray(stride)
        for x, (r, g, b, a) in enumerate(rows[y]):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def png_bytes(rows):
    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def app_icon_file(images):
    """An .ico of several 32-bit images; the 256-pixel one as PNG."""
    bodies = [png_bytes(rows) if len(rows) >= 256 else bmp_icon_entry(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, body in zip(images, bodies):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


def parse_app_icon(data):
    """Read back an .ico written by app_icon_file: {size: rows}."""
    res, kind, count = struct.unpack_from("<HHH", data, 0)
    check(res == 0 and kind == 1, "catalog.ico: bad ICONDIR")
    images = {}
    for i in range(count):
        w, h, colours, r0, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        size = w or 256
        check(w == h and colours == 0 and planes == 1 and bpp == 32, "catalog.ico: bad entry %d" % i)
        body = data[offset:offset + length]
        check(len(body) == length, "catalog.ico: entry %d cut short" % i)
        if body[:8] == b"\x89PNG\r\n\x1a\n":
            pos, idat = 8, b""
            while pos < len(body):
                n, = struct.unpack_from(">I", body, pos)
                tag = body[pos + 4:pos + 8]
                if tag == b"IHDR":
                    check(struct.unpack_from(">IIBBBBB", body, pos + 8) == (size, size, 8, 6, 0, 0, 0),
                          "catalog.ico: bad PNG header")
                if tag == b"IDAT":
                    idat += body[pos + 8:pos + 8 + n]
                pos += 12 + n
            raw = zlib.decompress(idat)
            stride = 1 + 4 * size
            check(all(raw[y * stride] == 0 for y in range(size)), "catalog.ico: unexpected PNG filter")
            images[size] = [[tuple(raw[y * stride + 1 + 4 * x:y * stride + 5 + 4 * x]) for x in range(size)]
                            for y in range(size)]
        else:
            head = struct.unpack_from("<IiiHHI", body, 0)
            check(head == (40, size, size * 2, 1, 32, 0), "catalog.ico: bad bitmap header")
            xor = body[40:40 + 4 * size * size]
            rows = []
            for y in range(size):
                fy = size - 1 - y
                rows.append([(xor[4 * (fy * size + x) + 2], xor[4 * (fy * size + x) + 1],
                              xor[4 * (fy * size + x)], xor[4 * (fy * size + x) + 3]) for x in range(size)])
            images[size] = rows
    return images


def make_app_icon():
    images = [draw_app_icon(size) for size in APP_ICON_SIZES]
    for rows in images:
        size = len(rows)
        opaque = sum(1 for row in rows for px in row if px[3] == 255)
        check(opaque >= size * size // 2, "catalog icon at %d: too little drawn" % size)
        check(all(px[3] == 0 for px in rows[0]), "catalog icon at %d: no room above the pages" % size)
    path = os.path.join(RES, "icons", "catalog.ico")
    data = app_icon_file(images)
    with open(path, "wb") as f:
        f.write(data)
    back = parse_app_icon(open(path, "rb").read())
    check(sorted(back) == APP_ICON_SIZES, "catalog.ico holds %s" % sorted(back))
    for rows in images:
        check(back[len(rows)] == rows, "catalog.ico: the %d-pixel image does not read back" % len(rows))
    return images


def make_app_icon_preview(path, images):
    """Every size at its own size and enlarged, on white, on the title bar's
    blue and on the main page's light blue."""
    backgrounds = [(255, 255, 255), (10, 36, 106), (192, 192, 255)]
    w = 10 + sum(len(r) + 10 for r in images[:-1]) + 256 + 20
    band = 10 + 256 + 10 + 4 * 64 + 20
    sh = Sheet(max(w, 4 * (16 + 20 + 24 + 32) + 60), band * len(backgrounds), (255, 255, 255))
    for b, bg in enumerate(backgrounds):
        y0 = b * band
        sh.rect(0, y0, sh.w, y0 + band, bg)

        def paste(x0, y0_, rows, scale=1):
            for y, row in enumerate(rows):
                for x, (r, g, bl, a) in enumerate(row):
                    t = a / 255.0
                    col = tuple(int(round(c * t + bgc * (1 - t))) for c, bgc in zip((r, g, bl), bg))
                    for j in range(scale):
                        for i in range(scale):
                            sh.px[y0_ + y * scale + j][x0 + x * scale + i] = col
        x = 10
        for rows in images:
            paste(x, y0 + 10, rows)
            x += len(rows) + 10
        x = 10
        for rows in images[:4]:
            paste(x, y0 + 10 + 256 + 10, rows, 4 if len(rows) <= 32 else 2)
            x += len(rows) * (4 if len(rows) <= 32 else 2) + 10
    write_png(path, sh.px)


# ---------------------------------------------------------------------------
def main():
    check_font()
    check(len(ICONS) == 25, "expected 25 icons, have %d" % len(ICONS))
    names = [n for n, _ in ICONS]
    check(len(set(names)) == len(names), "duplicate icon names")
    os.makedirs(os.path.join(RES, "icons"), exist_ok=True)
    os.makedirs(os.path.join(RES, "cursors"), exist_ok=True)
    os.makedirs(os.path.join(RES, "images"), exist_ok=True)

    drawn = []
    seen = {}
    for name, fn in ICONS:
        frames = []
        for size in FRAMES:
            set_frame(size)
            c = Canvas()
            fn(c)
            used = {p for row in c.p for p in row if p is not None}
            check(SILVER not in used,
                  "%s (%d): uses silver, which the buttons treat as transparent" % (name, size))
            check(len(used) >= 3, "%s (%d): looks empty" % (name, size))
            opaque = sum(p is not None for row in c.p for p in row)
            check(opaque >= 250 * SCALE * SCALE,
                  "%s (%d): too little drawn (%d pixels)" % (name, size, opaque))
            frames.append(c.p)
        set_frame(SIZE)
        key = tuple(tuple(r) for r in frames[0])
        check(key not in seen, name + ": same picture as " + seen.get(key, ""))
        seen[key] = name
        path = os.path.join(RES, "icons", name + ".ico")
        data = icon_file(frames)
        with open(path, "wb") as f:
            f.write(data)
        kind, _, rows = parse_icon_file(open(path, "rb").read())
        check(kind == 1 and rows == frames, name + ": does not read back")
        drawn.append((name, frames))

    cur = draw_cursor()
    check(cur.get(*CURSOR_HOTSPOT) is not None, "cursor hotspot is not on the arrow")
    check(SILVER not in {p for row in cur.p for p in row}, "cursor uses silver")
    path = os.path.join(RES, "cursors", "arrow.cur")
    with open(path, "wb") as f:
        f.write(icon_file([cur.p], CURSOR_HOTSPOT))
    kind, hot, rows = parse_icon_file(open(path, "rb").read())
    check(kind == 2 and hot == CURSOR_HOTSPOT and rows == [cur.p], "cursor does not read back")

    shown = []
    for name, w, h, fn in JPEGS:
        px = add_grain(fn(w, h), 77 + len(shown))
        check(len(px) == h and all(len(r) == w for r in px), name + ": wrong size")
        sx, sy = seam_score(px)
        check(sx <= 1.05 and sy <= 1.05, "%s: visible seam (%.2f, %.2f)" % (name, sx, sy))
        path = os.path.join(RES, "images", name + ".jpg")
        write_jpeg(path, px)
        check_jpeg(path, w, h)
        dec = decode_jpeg(path)
        sx, sy = seam_score(dec)
        # JPEG noise at the tile border may add a little
        check(sx <= 1.15 and sy <= 1.15, "%s.jpg: visible seam after encoding (%.2f, %.2f)" % (name, sx, sy))
        check(any(len(set(p)) > 1 for row in dec for p in row), name + ": came out grey")
        shown.append((name, dec))
        print("%-7s %dx%d seam %.2f %.2f" % (name, w, h, sx, sy))

    make_preview(os.path.join(HERE, "preview.png"), drawn, cur.p, shown)
    entries = write_pictures_rc()
    check_pictures_rc(entries)
    app_icon = make_app_icon()
    make_app_icon_preview(os.path.join(HERE, "catalog_icon.png"), app_icon)
    print("wrote %d icons, 1 cursor, %d JPEGs, pictures.rc, the preview, and the program's icon"
          % (len(drawn), len(JPEGS)))


if __name__ == "__main__":
    try:
        main()
    except ArtError as e:
        sys.exit("make_art: " + str(e))
