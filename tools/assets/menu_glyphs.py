#!/usr/bin/env python3
"""Writes the system-menu glyph strip: a 64 x 16 monochrome BMP of four 16 x 16 cells
(restore, maximize, minimize, close), black glyphs on white (white is the mask colour).

usage: menu_glyphs.py <output.bmp>
"""
import struct
import sys

WIDTH, HEIGHT, CELL = 64, 16, 16


def glyphs():
    ink = set()

    def rect_outline(cell, x0, y0, x1, y1, solid_rows):
        for x in range(x0, x1 + 1):
            for y in range(y0, y1 + 1):
                edge = x in (x0, x1) or y in (y0, y1) or y < y0 + solid_rows
                if edge:
                    ink.add((cell * CELL + x, y))

    def clear(cell, x0, y0, x1, y1):
        for x in range(x0, x1 + 1):
            for y in range(y0, y1 + 1):
                ink.discard((cell * CELL + x, y))

    # 0 restore: the back window, then the front one drawn over it (its inside hides the back one).
    rect_outline(0, 5, 4, 12, 9, 2)
    clear(0, 3, 7, 10, 12)
    rect_outline(0, 3, 7, 10, 12, 2)
    # 1 maximize.
    rect_outline(1, 3, 3, 12, 12, 2)
    # 2 minimize: a solid bar.
    for x in range(5, 12):
        for y in (7, 8):
            ink.add((2 * CELL + x, y))
    # 3 close: two diagonals, two to three pixels wide.
    for i in range(0, 9):
        for dx in (0, 1):
            ink.add((3 * CELL + 3 + i + dx, 4 + i))
            ink.add((3 * CELL + 11 - i - dx, 4 + i))
    return ink


def write_bmp(path, ink):
    stride = ((WIDTH + 31) // 32) * 4
    rows = []
    for y in reversed(range(HEIGHT)):  # bottom-up
        bits = bytearray(stride)
        for x in range(WIDTH):
            if (x, y) not in ink:  # palette entry 1 = white
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(bits))
    pixels = b"".join(rows)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    with open(path, "wb") as out:
        out.write(header + info + palette + pixels)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write_bmp(sys.argv[1], glyphs())
