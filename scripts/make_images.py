#!/usr/bin/env python3
"""Draws the program's bitmaps and icons (16-colour, uncompressed) into
app/resources/images/. Run once after changing a picture; the files are
committed, so the build needs no Python."""
import math
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "resources", "images")

# The 16 colours of the standard VGA palette, as (r, g, b).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, GREEN, YELLOW, BLUE, \
    MAGENTA, CYAN, WHITE = range(16)

# 5x7 capitals and small letters used on the pictures.
FONT = {
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "l": [".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    "n": [".....", ".....", "X.XX.", "XX..X", "X...X", "X...X", "X...X"],
    "?": [".XXX.", "X...X", "....X", "...X.", "..X..", ".....", "..X.."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "X": ["X...X", "X...X", ".X.X.", "..X..", ".X.X.", "X...X", "X...X"],
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "F": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "X...."],
    "S": [".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "/": ["....X", "...X.", "...X.", "..X..", ".X...", ".X...", "X...."],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "Y": ["X...X", "X...X", ".X.X.", "..X..", "..X..", "..X..", "..X.."],
    "i": ["..X..", ".....", ".XX..", "..X..", "..X..", "..X..", ".XXX."],
    "m": [".....", ".....", "XX.X.", "X.X.X", "X.X.X", "X.X.X", "X.X.X"],
    "1": ["..X..", ".XX..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
    " ": ["....."] * 7,
}


class Picture:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c, t=1):
        self.rect(x0, y0, x1, y0 + t, c)
        self.rect(x0, y1 - t, x1, y1, c)
        self.rect(x0, y0, x0 + t, y1, c)
        self.rect(x1 - t, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c, t=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            x = round(x0 + (x1 - x0) * i / n)
            y = round(y0 + (y1 - y0) * i / n)
            self.rect(x - t // 2, y - t // 2, x - t // 2 + t, y - t // 2 + t, c)

    def text(self, x, y, s, c, scale):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, b in enumerate(bits):
                    if b == "X":
                        self.rect(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale, y + (row + 1) * scale, c)
            x += 6 * scale

    def curve(self, x0, x1, f, c, t=2):
        last = None
        for x in range(x0, x1):
            y = f(x)
            if last is not None:
                self.line(x - 1, last, x, y, c, t)
            last = y


def packed_rows(pic):
    """Rows bottom-up, 4 bits a pixel, each row padded to 4 bytes."""
    rows = []
    for y in range(pic.h - 1, -1, -1):
        r = pic.px[y] + [0] * (pic.w % 2)
        b = bytes((r[i] << 4) | r[i + 1] for i in range(0, len(r), 2))
        b += b"\0" * ((4 - len(b) % 4) % 4)
        rows.append(b)
    return b"".join(rows)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


def write_bmp(name, pic):
    bits = packed_rows(pic)
    info = struct.pack("<IiiHHIIiiII", 40, pic.w, pic.h, 1, 4, 0, len(bits), 2835, 2835, 16, 0)
    offset = 14 + len(info) + 64
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(head + info + palette_bytes() + bits)


def write_ico(name, pic):
    bits = packed_rows(pic)
    mask_row = ((pic.w + 31) // 32) * 4
    mask = b"\0" * (mask_row * pic.h)  # every pixel opaque
    info = struct.pack("<IiiHHIIiiII", 40, pic.w, pic.h * 2, 1, 4, 0, len(bits) + len(mask), 0, 0, 16, 0)
    image = info + palette_bytes() + bits + mask
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", pic.w, pic.h, 16, 0, 1, 4, len(image), 6 + 16)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(head + entry + image)


def absorption(x, x0, x1, y_base, height):
    """A measured-looking absorption edge: a rising pre-edge, a step with a
    white line, then damped EXAFS oscillations."""
    t = (x - x0) / (x1 - x0)
    edge = 0.5 + math.atan((t - 0.3) * 40) / math.pi
    wiggle = 0.0
    if t > 0.3:
        k = math.sqrt(t - 0.3)
        wiggle = 0.22 * math.sin(k * 38) * math.exp(-(t - 0.3) * 3.0)
    return round(y_base - height * (0.08 * t + edge * 0.75 + wiggle))


def welcome():
    w, h = 300, 330
    p = Picture(w, h, WHITE)
    p.frame(0, 0, w, h, NAVY, 3)
    p.rect(3, 3, w - 3, 58, NAVY)
    p.text(60, 14, "Korlan", YELLOW, 5)
    # plot area with axes
    p.rect(30, 80, 280, 280, SILVER)
    p.frame(30, 80, 280, 280, GREY)
    for gx in range(30, 281, 50):
        p.line(gx, 80, gx, 279, WHITE)
    for gy in range(80, 281, 40):
        p.line(30, gy, 279, gy, WHITE)
    p.line(30, 280, 280, 280, BLACK, 2)
    p.line(30, 80, 30, 280, BLACK, 2)
    p.curve(32, 278, lambda x: absorption(x, 30, 280, 265, 170), RED, 3)
    p.text(40, 296, "XAFS XRD", TEAL, 3)
    return p


def assistant():
    w, h = 150, 128
    p = Picture(w, h, WHITE)
    p.frame(0, 0, w, h, NAVY, 2)
    # speech bubble with a question mark
    p.rect(14, 12, 136, 84, YELLOW)
    p.frame(14, 12, 136, 84, BLACK, 2)
    for i in range(14):
        p.line(40 + i, 84 + i, 60, 84, YELLOW)
    p.line(40, 84, 54, 98, BLACK, 2)
    p.line(54, 98, 62, 84, BLACK, 2)
    p.text(60, 20, "?", BLUE, 7)
    return p


def numeric_icon():
    p = Picture(32, 32, WHITE)
    p.frame(0, 0, 32, 32, NAVY, 2)
    p.line(4, 27, 28, 27, BLACK)
    p.line(4, 4, 4, 27, BLACK)
    p.curve(5, 28, lambda x: absorption(x, 4, 28, 25, 18), RED, 2)
    return p


def graphic_icon():
    p = Picture(32, 32, SILVER)
    p.rect(0, 0, 32, 7, NAVY)
    p.frame(0, 0, 32, 32, BLACK)
    p.rect(3, 9, 29, 29, WHITE)
    p.line(5, 26, 27, 26, BLACK)
    p.line(5, 10, 5, 26, BLACK)
    p.curve(6, 27, lambda x: round(18 - 7 * math.sin((x - 6) / 3.0) * math.exp(-(x - 6) / 12.0)), BLUE, 2)
    return p


# ---- the buttons of the button bar ----
# Each glyph draws into a picture at an offset with a colour map, so that
# one drawing gives the normal, the pressed (moved by one pixel) and the
# disabled (grey, embossed) image.

class Shifted:
    """A picture seen through an offset and a colour map."""
    def __init__(self, pic, dx, dy, cmap):
        self.pic, self.dx, self.dy, self.cmap = pic, dx, dy, cmap

    def set(self, x, y, c):
        self.pic.set(x + self.dx, y + self.dy, self.cmap(c))

    rect = Picture.rect
    frame = Picture.frame
    line = Picture.line
    text = Picture.text
    curve = Picture.curve

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r * 0.8:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = math.sqrt((x - cx) ** 2 + (y - cy) ** 2)
                if abs(d - r) < 0.6:
                    self.set(x, y, c)

    def triangle(self, pts, c):
        (x0, y0), (x1, y1), (x2, y2) = pts
        def side(ax, ay, bx, by, px, py):
            return (bx - ax) * (py - ay) - (by - ay) * (px - ax)
        for y in range(min(y0, y1, y2), max(y0, y1, y2) + 1):
            for x in range(min(x0, x1, x2), max(x0, x1, x2) + 1):
                a = side(x0, y0, x1, y1, x, y)
                b = side(x1, y1, x2, y2, x, y)
                d = side(x2, y2, x0, y0, x, y)
                if (a >= 0 and b >= 0 and d >= 0) or (a <= 0 and b <= 0 and d <= 0):
                    self.set(x, y, c)

    def arc(self, cx, cy, r, a0, a1, c, t=1):
        n = max(8, int(abs(a1 - a0) * r / 2))
        pts = [(round(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / n))),
                round(cy - r * math.sin(math.radians(a0 + (a1 - a0) * i / n)))) for i in range(n + 1)]
        for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
            self.line(xa, ya, xb, yb, c, t)


def axes(g, x0, y0, x1, y1):
    g.line(x0, y1, x1, y1, BLACK)
    g.line(x0, y0, x0, y1, BLACK)


def g_next(g):
    g.rect(7, 12, 19, 15, NAVY)
    g.triangle([(18, 6), (18, 20), (25, 13)], NAVY)


def g_prev(g):
    g.rect(13, 12, 25, 15, NAVY)
    g.triangle([(14, 6), (14, 20), (7, 13)], NAVY)


def g_first(g):
    g.rect(7, 6, 9, 21, DGREEN)
    g.triangle([(17, 6), (17, 20), (10, 13)], DGREEN)
    g.triangle([(25, 6), (25, 20), (18, 13)], DGREEN)


def g_alle(g):
    for px, py in ((5, 4), (17, 4), (5, 14), (17, 14)):
        g.rect(px, py, px + 10, py + 9, WHITE)
        g.frame(px, py, px + 10, py + 9, GREY)
        g.curve(px + 1, px + 9, lambda x, px=px, py=py: round(py + 6 - 3 * math.sin((x - px) / 1.4)), RED, 1)


def g_combi(g):
    axes(g, 6, 4, 26, 22)
    g.curve(7, 26, lambda x: absorption(x, 7, 26, 20, 13), RED, 1)
    g.curve(7, 26, lambda x: round(18 - 5 * math.exp(-((x - 16) / 4.0) ** 2) * 2), BLUE, 1)


def g_efunc(g):
    axes(g, 6, 4, 26, 22)
    g.curve(7, 26, lambda x: round(20 - 7 * math.exp(-((x - 12) / 2.5) ** 2) - 10 * math.exp(-((x - 19) / 2.5) ** 2)),
            BLACK, 1)
    g.curve(7, 26, lambda x: round(20 - 7 * math.exp(-((x - 12) / 2.5) ** 2)), DGREEN, 1)
    g.curve(7, 26, lambda x: round(20 - 10 * math.exp(-((x - 19) / 2.5) ** 2)), DGREEN, 1)


def g_win21(g):
    for px, py in ((5, 4), (14, 11)):
        g.rect(px, py, px + 13, py + 11, WHITE)
        g.rect(px, py, px + 13, py + 3, NAVY)
        g.frame(px, py, px + 13, py + 11, BLACK)


def g_print(g):
    g.rect(10, 4, 22, 12, WHITE)
    g.frame(10, 4, 22, 12, BLACK)
    g.line(12, 7, 19, 7, GREY)
    g.line(12, 9, 19, 9, GREY)
    g.rect(6, 12, 26, 20, GREY)
    g.frame(6, 12, 26, 20, BLACK)
    g.rect(22, 14, 24, 16, GREEN)
    g.rect(10, 20, 22, 23, WHITE)
    g.frame(10, 19, 22, 23, BLACK)


def g_ncol(g):
    g.rect(6, 4, 26, 22, WHITE)
    g.frame(6, 4, 26, 22, BLACK)
    g.rect(19, 5, 25, 21, CYAN)
    for x in (12, 19):
        g.line(x, 4, x, 21, BLACK)
    for y in (9, 14, 18):
        g.line(6, y, 25, y, GREY)
    g.rect(6, 4, 26, 7, TEAL)


def g_quick(g):
    g.triangle([(18, 3), (9, 15), (16, 15)], YELLOW)
    g.triangle([(16, 12), (23, 12), (12, 24)], YELLOW)
    g.line(18, 3, 9, 15, OLIVE)
    g.line(23, 12, 12, 24, OLIVE)


def g_play(g):
    g.triangle([(10, 5), (10, 21), (23, 13)], DGREEN)


def g_rec(g):
    g.disc(16, 13, 7, RED)


def g_text(g):
    g.text(3, 3, "A", NAVY, 1)
    g.line(3, 12, 14, 12, BLACK)
    g.text(10, 5, "a", BLUE, 1)


def g_kreis(g):
    for cx, cy in ((5, 11), (9, 6), (14, 9)):
        g.ring(cx, cy, 2, BLUE)


def g_bar(g):
    for x, top in ((3, 9), (7, 4), (11, 7)):
        g.rect(x, top, x + 3, 14, TEAL)
        g.frame(x, top, x + 3, 14, BLACK)


def g_punkt(g):
    for x, y in ((3, 12), (5, 10), (7, 7), (9, 5), (11, 6), (13, 9), (15, 12)):
        g.rect(x, y, x + 2, y + 2, BLACK)


def g_fett(g):
    g.line(3, 13, 15, 4, RED, 3)


def g_afett(g):
    g.rect(3, 3, 6, 15, BLACK)
    g.rect(3, 12, 16, 15, BLACK)


def g_imagi(g):
    g.text(2, 3, "i", PURPLE, 1)
    for x in range(8, 17, 2):
        g.set(x, round(9 - 4 * math.sin((x - 8) / 1.5)), PURPLE)


def g_grid(g):
    g.frame(3, 3, 16, 15, BLACK)
    for x in (7, 11):
        g.line(x, 3, x, 14, GREY)
    for y in (7, 11):
        g.line(3, y, 15, y, GREY)


def g_xscal(g):
    g.text(7, 2, "X", NAVY, 1)
    g.line(3, 13, 15, 13, BLACK)
    g.triangle([(3, 13), (5, 11), (5, 15)], BLACK)
    g.triangle([(15, 13), (13, 11), (13, 15)], BLACK)


def g_yscal(g):
    g.text(8, 5, "Y", NAVY, 1)
    g.line(4, 3, 4, 15, BLACK)
    g.triangle([(4, 3), (2, 5), (6, 5)], BLACK)
    g.triangle([(4, 15), (2, 13), (6, 13)], BLACK)


def g_cwrot(g):
    # clockwise from the left through the top to the bottom, head pointing left
    g.arc(9, 8, 5, 180, -70, BLUE)
    g.triangle([(5, 13), (9, 10), (9, 16)], BLUE)


def g_ccwrot(g):
    # counter-clockwise from the right through the top to the bottom, head pointing right
    g.arc(9, 8, 5, 0, 250, BLUE)
    g.triangle([(13, 13), (9, 10), (9, 16)], BLUE)


def g_color(g):
    for (x, y), c in zip(((3, 3), (9, 3), (3, 9), (9, 9)), (RED, GREEN, BLUE, YELLOW)):
        g.rect(x, y, x + 6, y + 6, c)
        g.frame(x, y, x + 6, y + 6, BLACK)


def g_ftfit(g):
    g.text(2, 2, "F", DRED, 1)
    g.text(8, 2, "T", DRED, 1)
    g.curve(2, 17, lambda x: round(14 - 4 * math.exp(-((x - 9) / 2.5) ** 2)), BLUE, 1)


FIRST_ROW = [("Next", g_next), ("Prev", g_prev), ("First", g_first), ("Alle", g_alle),
             ("Combi", g_combi), ("Efunc", g_efunc), ("win21", g_win21), ("print", g_print),
             ("ncol", g_ncol), ("quick", g_quick), ("PlayMak", g_play), ("RecMak", g_rec)]
SECOND_ROW = [("Text", g_text), ("Kreis", g_kreis), ("Bar", g_bar), ("Punkt", g_punkt),
              ("Fett", g_fett), ("Afett", g_afett), ("Imagi", g_imagi), ("grid", g_grid),
              ("Xscal", g_xscal), ("Yscal", g_yscal), ("CWrot", g_cwrot), ("CCWrot", g_ccwrot),
              ("Color", g_color), ("FTFit", g_ftfit)]


def button(w, h, glyph, state):
    """state: "up", "down" or "off"."""
    p = Picture(w, h, SILVER)
    if state == "down":
        p.rect(0, 0, w, 1, BLACK)
        p.rect(0, 0, 1, h, BLACK)
        p.rect(1, 1, w - 1, 2, GREY)
        p.rect(1, 1, 2, h - 1, GREY)
        p.rect(0, h - 1, w, h, WHITE)
        p.rect(w - 1, 0, w, h, WHITE)
        glyph(Shifted(p, 1, 1, lambda c: c))
    else:
        p.rect(0, 0, w, 1, WHITE)
        p.rect(0, 0, 1, h, WHITE)
        p.rect(0, h - 1, w, h, BLACK)
        p.rect(w - 1, 0, w, h, BLACK)
        p.rect(1, h - 2, w - 1, h - 1, GREY)
        p.rect(w - 2, 1, w - 1, h - 1, GREY)
        if state == "off":
            # embossed grey: light colours vanish into the face, dark ones
            # become grey with a white shadow
            light = (WHITE, SILVER, YELLOW, CYAN, GREEN)
            glyph(Shifted(p, 1, 1, lambda c: SILVER if c in light else WHITE))
            glyph(Shifted(p, 0, 0, lambda c: SILVER if c in light else GREY))
        else:
            glyph(Shifted(p, 0, 0, lambda c: c))
    return p


def buttons():
    for row, (w, h) in ((FIRST_ROW, (32, 27)), (SECOND_ROW, (19, 18))):
        for i, (name, glyph) in enumerate(row):
            normal = "2" if row is SECOND_ROW and i == 0 else "1"
            write_bmp(name + normal + ".bmp", button(w, h, glyph, "up"))
            write_bmp(name + "d.bmp", button(w, h, glyph, "down"))
            write_bmp(name + "no.bmp", button(w, h, glyph, "off"))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_bmp("main3.bmp", welcome())
    write_bmp("assist2.bmp", assistant())
    write_ico("numeric.ico", numeric_icon())
    write_ico("wgrafik.ico", graphic_icon())
    buttons()
