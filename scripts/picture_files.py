# The file formats the picture scripts write: run-length coded 8-bit BMPs and 32-bit icons.
import struct


def rle8(rows):
    out = bytearray()
    for row in rows:
        i = 0
        while i < len(row):
            j = i
            while j < len(row) and j - i < 255 and row[j] == row[i]:
                j += 1
            out += bytes((j - i, row[i]))
            i = j
        out += b"\x00\x00"
    out += b"\x00\x01"
    return bytes(out)


def write_rle8_bmp(path, width, height, palette, rows):
    """rows: bottom-up lists of palette indexes; palette: (r, g, b) tuples."""
    data = rle8(rows)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835,
                       len(palette), len(palette))
    with open(path, "wb") as f:
        f.write(header + info + colours + data)


def icon32(size, rows):
    """The bytes of a one-image icon; rows: bottom-up rows of BGRA bytes."""
    xor = b"".join(rows)
    and_mask = b"\0" * (4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_mask),
                         0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32,
                                                           len(image), 22)
    return directory + image
