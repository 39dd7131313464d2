#!/usr/bin/python3
"""Draws the sensor pages' bitmaps into res/icons/.

check_boxes_203.bmp: three 13 x 13 images side by side for the connection list's header, on the
transparent colour RGB(255, 0, 255): none, an unchecked box, a checked box. Run this script after
changing it and commit the file it writes.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "res", "icons")
SIZE = 13
MASK = (255, 0, 255)
FRAME = (64, 64, 64)
FACE = (255, 255, 255)
TICK = (0, 0, 0)


def check_box_pixel(image, x, y):
    if image == 0:
        return MASK
    if x in (0, SIZE - 1) or y in (0, SIZE - 1):
        return FRAME
    if image == 2:
        # A tick: down from (3, 6) to (5, 8), then up to (9, 4), two pixels thick.
        for dx in range(3, 10):
            ty = 6 + (dx - 3) if dx <= 5 else 8 - (dx - 5)
            if y in (ty, ty + 1) and x == dx:
                return TICK
    return FACE


def write_bmp(path, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + data)


def main():
    write_bmp(os.path.join(OUT, "check_boxes_203.bmp"), SIZE * 3, SIZE,
              lambda x, y: check_box_pixel(x // SIZE, x % SIZE, y))


if __name__ == "__main__":
    main()
