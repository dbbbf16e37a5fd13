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


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    write_bmp("main3.bmp", welcome())
    write_bmp("assist2.bmp", assistant())
    write_ico("numeric.ico", numeric_icon())
    write_ico("wgrafik.ico", graphic_icon())
