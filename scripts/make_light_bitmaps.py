#!/usr/bin/python3
"""Draws the four pictures of the pass/fail light view into res/icons/ as 8-bit palette BMPs.

Grey (212) and yellow (215) are plain discs, green (213) smiles and red (214) looks sad; the
yellow disc stands on a pale blue background, the others on white. RLE8 keeps the files small.
Run this script after changing it and commit the files it writes.
"""
import math
import os

from picture_files import write_rle8_bmp

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "res", "icons")

WIDTH, HEIGHT = 730, 725
PALETTE = [
    (255, 255, 255),  # 0 white background
    (200, 225, 250),  # 1 pale blue background
    (160, 160, 160),  # 2 grey disc
    (0, 176, 80),     # 3 green disc
    (255, 220, 0),    # 4 yellow disc
    (220, 30, 30),    # 5 red disc
    (0, 0, 0),        # 6 eyes and mouth
]
# id: (disc colour index, background index, face: None, "smile" or "sad")
LIGHTS = {212: (2, 0, None), 213: (3, 0, "smile"), 214: (5, 0, "sad"), 215: (4, 1, None)}


def pixel(x, y, disc, background, face):
    cx, cy, radius = WIDTH / 2, HEIGHT / 2, min(WIDTH, HEIGHT) / 2 - 8
    dx, dy = x - cx, y - cy  # y grows downwards
    if dx * dx + dy * dy > radius * radius:
        return background
    if face is None:
        return disc
    for ex in (-radius * 0.35, radius * 0.35):
        if (dx - ex) ** 2 + (dy + radius * 0.3) ** 2 <= (radius * 0.1) ** 2:
            return 6
    # The mouth: a thick arc below the centre, opening up for a smile and down when sad.
    mouth_radius, thickness = radius * 0.5, radius * 0.07
    if face == "smile":
        mcx, mcy, lower = 0.0, radius * 0.05, True
    else:
        mcx, mcy, lower = 0.0, radius * 0.75, False
    distance = math.hypot(dx - mcx, dy - mcy)
    if abs(distance - mouth_radius) <= thickness:
        angle = math.degrees(math.atan2(dy - mcy, dx - mcx))
        if (lower and 30 <= angle <= 150) or (not lower and -150 <= angle <= -30):
            return 6
    return disc


def write_bmp(path, rows):
    write_rle8_bmp(path, WIDTH, HEIGHT, PALETTE, rows)


def main():
    for number, (disc, background, face) in LIGHTS.items():
        # Bottom-up rows, as a BMP with a positive height stores them.
        rows = [[pixel(x, y, disc, background, face) for x in range(WIDTH)]
                for y in reversed(range(HEIGHT))]
        write_bmp(os.path.join(OUT, "light_%d.bmp" % number), rows)


if __name__ == "__main__":
    main()
