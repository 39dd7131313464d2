#!/usr/bin/python3
"""Draws the pictures of the measure-and-diagram page into res/icons/: picture 319, a rotating
torque sensor seen from the side (housing with its connector, the shaft through it) as an 8-bit
palette BMP, RLE8-compressed; and the three 16 x 16 lamps of its state button (320 idle grey,
321 waiting amber, 322 measuring green). Run this script after changing it and commit the files
it writes.
"""
import os
import struct

from make_light_bitmaps import rle8

HERE = os.path.dirname(os.path.abspath(__file__))
ICONS = os.path.join(HERE, "..", "res", "icons")
OUT = os.path.join(ICONS, "sensor_picture_319.bmp")
LAMPS = {320: (150, 150, 150), 321: (240, 170, 0), 322: (0, 170, 70)}

WIDTH, HEIGHT = 240, 160
PALETTE = [
    (255, 255, 255),  # 0 background
    (90, 100, 115),   # 1 housing
    (150, 160, 175),  # 2 housing highlight
    (190, 190, 190),  # 3 shaft
    (120, 120, 120),  # 4 shaft edge and keyway
    (30, 30, 30),     # 5 connector
    (0, 110, 190),    # 6 maker's stripe
]


def pixel(x, y):
    # The connector on top of the housing.
    if 104 <= x <= 136 and 22 <= y < 40:
        return 5
    # The housing: a block with rounded corners.
    left, right, top, bottom, r = 70, 170, 40, 130, 10
    if left <= x <= right and top <= y <= bottom:
        cx = min(max(x, left + r), right - r)
        cy = min(max(y, top + r), bottom - r)
        if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
            if 100 <= y <= 106:
                return 6
            return 2 if y < top + 14 else 1
        return 0
    # The shaft on both sides, with a keyway on the right end.
    if (10 <= x < left or right < x <= 230) and 70 <= y <= 100:
        if y in (70, 100) or x in (10, 230):
            return 4
        if 195 <= x <= 220 and 82 <= y <= 88:
            return 4
        return 3
    return 0


def lamp_icon(colour):
    size = 16
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(size):
            d2 = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d2 > 7.0 ** 2:
                row += bytes((0, 0, 0, 0))
            elif d2 > 5.8 ** 2:
                row += bytes((40, 40, 40, 255))
            else:
                r, g, b = colour
                row += bytes((b, g, r, 255))
        rows.append(row)
    xor = b"".join(rows)
    and_mask = b"\0" * (4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask),
                         0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32,
                                                           len(image), 22)
    return directory + image


def main():
    for number, colour in LAMPS.items():
        with open(os.path.join(ICONS, "lamp_%d.ico" % number), "wb") as f:
            f.write(lamp_icon(colour))
    rows = [[pixel(x, y) for x in range(WIDTH)] for y in reversed(range(HEIGHT))]
    data = rle8(rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, len(data), 2835, 2835,
                       len(PALETTE), len(PALETTE))
    with open(OUT, "wb") as f:
        f.write(header + info + palette + data)


if __name__ == "__main__":
    main()
