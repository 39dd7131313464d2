#!/usr/bin/python3
"""Draws the sensor pages' bitmaps into res/icons/.

check_boxes_203.bmp: three 13 x 13 images side by side for the connection list's header, on the
transparent colour RGB(255, 0, 255): none, an unchecked box, a checked box.
startup_picture_140.bmp: the start-up window's picture, 161 x 161: a sensor's rotor between its
two flanges on a light background.
led_179.ico: the calibration's "not loaded" indicator, a round amber light, 16 x 16.
Run this script after changing it and commit the files it writes.
"""
import os
import struct

from picture_files import icon32

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


PICTURE = 161


def picture_pixel(x, y):
    c = PICTURE // 2
    dx, dy = x - c, y - c
    r2 = dx * dx + dy * dy
    if abs(dy) <= 10 and 8 <= x <= PICTURE - 9:
        return (150, 150, 160)  # the shaft through the sensor
    if abs(dx) <= 14 and abs(dy) <= 60 and (abs(dx) >= 11 or abs(dy) >= 57):
        return (40, 40, 60)  # the flanges' outline
    if r2 <= 48 * 48 and r2 >= 44 * 44:
        return (0, 90, 160)  # the stator ring
    if r2 < 44 * 44:
        return (210, 225, 240)
    return (245, 245, 245)


def write_led_icon(path):
    size = 16
    rows = []
    for y in range(size - 1, -1, -1):
        row = b""
        for x in range(size):
            d2 = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d2 > 7.5 ** 2:
                row += bytes((0, 0, 0, 0))
            elif d2 > 6 ** 2:
                row += bytes((0, 80, 140, 255))
            elif (x - 5.5) ** 2 + (y - 5.5) ** 2 < 4:
                row += bytes((200, 240, 255, 255))
            else:
                row += bytes((0, 170, 255, 255))
        rows.append(row)
    with open(path, "wb") as out:
        out.write(icon32(size, rows))


def main():
    write_bmp(os.path.join(OUT, "check_boxes_203.bmp"), SIZE * 3, SIZE,
              lambda x, y: check_box_pixel(x // SIZE, x % SIZE, y))
    write_bmp(os.path.join(OUT, "startup_picture_140.bmp"), PICTURE, PICTURE, picture_pixel)
    write_led_icon(os.path.join(OUT, "led_179.ico"))


if __name__ == "__main__":
    main()
