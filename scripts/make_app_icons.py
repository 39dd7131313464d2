#!/usr/bin/python3
"""Draws the application's small icons and the print logo into res/icons/.

Each menu and tree icon is a 16 x 16 picture: a coloured tile with a simple mark, so that the
items can be told apart. The images are generated rather than drawn by hand so that they can be
made again exactly; run this script after changing it and commit the files it writes.
"""
import os
import struct

from picture_files import icon32

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "res", "icons")

# id: (tile colour, mark) - the marks are drawn by mark_pixels below.
ICONS = {
    141: ((0, 120, 215), "flag"), 142: ((0, 90, 200), "flag"), 143: ((200, 30, 30), "flag"),
    144: ((30, 140, 60), "flag"), 145: ((230, 160, 0), "flag"), 146: ((120, 60, 160), "flag"),
    147: ((0, 150, 150), "flag"), 148: ((90, 90, 90), "flag"), 149: ((210, 170, 60), "folder"),
    150: ((240, 200, 90), "folder_open"), 151: ((30, 160, 60), "check"),
    152: ((180, 180, 180), "box"), 153: ((150, 150, 150), "cross"), 154: ((120, 120, 120), "dot"),
    155: ((0, 110, 190), "bars"), 156: ((0, 110, 190), "doc"), 157: ((0, 110, 190), "disk"),
    158: ((60, 60, 60), "printer"), 159: ((190, 40, 40), "door"), 160: ((0, 120, 215), "info"),
    161: ((230, 160, 0), "info"), 162: ((0, 150, 150), "dot"), 163: ((90, 90, 90), "dot"),
    164: ((0, 120, 215), "plug"), 165: ((40, 40, 160), "wave"), 166: ((120, 60, 160), "doc"),
    167: ((180, 90, 0), "gauge"), 168: ((0, 150, 100), "sliders"), 169: ((0, 120, 215), "plug"),
    170: ((200, 60, 60), "wave"), 171: ((30, 140, 60), "info"), 172: ((0, 150, 100), "sliders"),
    173: ((100, 100, 100), "bars"), 174: ((100, 100, 100), "box"), 175: ((60, 120, 60), "reset"),
    211: ((120, 120, 120), "cross"),
}


def mark_pixels(mark):
    """The set of (x, y) pixels of a mark on a 16 x 16 grid."""
    p = set()
    if mark == "flag":
        p |= {(4, y) for y in range(3, 14)} | {(x, y) for x in range(5, 12) for y in range(3, 8)}
    elif mark in ("folder", "folder_open"):
        p |= {(x, y) for x in range(2, 14) for y in range(6, 13)} | {(x, 5) for x in range(2, 7)}
        if mark == "folder_open":
            p -= {(x, 8) for x in range(4, 12)}
    elif mark == "check":
        p |= {(3 + i, 8 + i) for i in range(4)} | {(6 + i, 11 - i) for i in range(7)}
    elif mark == "box":
        p |= {(x, y) for x in range(3, 13) for y in (3, 12)} | {(x, y) for x in (3, 12) for y in range(3, 13)}
    elif mark == "cross":
        p |= {(3 + i, 3 + i) for i in range(10)} | {(12 - i, 3 + i) for i in range(10)}
    elif mark == "dot":
        p |= {(x, y) for x in range(5, 11) for y in range(5, 11)}
    elif mark == "bars":
        p |= {(x, y) for x in (4, 5) for y in range(8, 13)} | {(x, y) for x in (7, 8) for y in range(4, 13)}
        p |= {(x, y) for x in (10, 11) for y in range(6, 13)}
    elif mark == "doc":
        p |= {(x, y) for x in range(4, 12) for y in (2, 13)} | {(x, y) for x in (4, 11) for y in range(2, 14)}
        p |= {(x, y) for x in range(6, 10) for y in (5, 8, 11)}
    elif mark == "disk":
        p |= {(x, y) for x in range(3, 13) for y in range(3, 13)} - {(x, y) for x in range(5, 11) for y in range(4, 7)}
    elif mark == "printer":
        p |= {(x, y) for x in range(3, 13) for y in range(6, 11)} | {(x, y) for x in range(5, 11) for y in range(2, 6)}
    elif mark == "door":
        p |= {(x, y) for x in range(5, 11) for y in (2, 13)} | {(x, y) for x in (5, 10) for y in range(2, 14)} | {(8, 8)}
    elif mark == "info":
        p |= {(7, 3), (8, 3)} | {(x, y) for x in (7, 8) for y in range(6, 13)}
    elif mark == "plug":
        p |= {(x, y) for x in range(5, 11) for y in range(6, 11)} | {(6, y) for y in range(3, 6)}
        p |= {(9, y) for y in range(3, 6)} | {(8, y) for y in range(11, 14)}
    elif mark == "wave":
        for x in range(2, 14):
            p.add((x, 8 + (2 if (x // 3) % 2 else -2)))
    elif mark == "gauge":
        p |= {(x, 12) for x in range(3, 13)} | {(3 + i, 12 - i) for i in range(6)}
    elif mark == "sliders":
        p |= {(x, y) for x in range(3, 13) for y in (4, 8, 12)} | {(5, 3), (5, 5), (10, 7), (10, 9), (7, 11), (7, 13)}
    elif mark == "reset":
        p |= {(x, 4) for x in range(4, 12)} | {(11, y) for y in range(4, 12)} | {(x, 11) for x in range(4, 12)}
        p |= {(3, 5), (4, 6)}
    return p


def icon_bytes(colour, mark):
    size = 16
    marks = mark_pixels(mark)
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(size):
            border = x in (0, size - 1) or y in (0, size - 1)
            if (x, y) in marks:
                b, g, r, a = 255, 255, 255, 255
            elif border:
                r, g, b = (c // 2 for c in colour)
                a = 255
            else:
                r, g, b = colour
                a = 255
            row += bytes((b, g, r, a))
        rows.append(row)
    return icon32(size, rows)


def logo_bitmap():
    """The print logo: a 161 x 161 picture of a ring and the letters of the maker's mark."""
    size = 161
    stride = (size * 3 + 3) & ~3
    pixels = bytearray(b"\xff" * (stride * size))
    c = size / 2
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            inside_ring = 62 <= d <= 76
            bar = 40 <= x <= 120 and 74 <= y <= 86
            stem = 74 <= x <= 86 and 40 <= y <= 120
            if inside_ring or bar or stem:
                off = (size - 1 - y) * stride + x * 3
                pixels[off:off + 3] = bytes((150, 60, 0))  # blue-ish, BGR
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return file_header + info + bytes(pixels)


def main():
    os.makedirs(OUT, exist_ok=True)
    for number, (colour, mark) in ICONS.items():
        with open(os.path.join(OUT, "icon_%d.ico" % number), "wb") as f:
            f.write(icon_bytes(colour, mark))
    with open(os.path.join(OUT, "icon_120.ico"), "wb") as f:
        f.write(icon_bytes((0, 90, 160), "gauge"))
    with open(os.path.join(OUT, "print_logo.bmp"), "wb") as f:
        f.write(logo_bitmap())


if __name__ == "__main__":
    main()
