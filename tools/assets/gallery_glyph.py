#!/usr/bin/env python3
"""Writes the control gallery's button glyph: a 64 x 16 24-bit BMP of four 16 x 16 images side by side
(up, disabled, pressed, down), a diamond on fuchsia (the colour that lets the button face show through).

usage: gallery_glyph.py <output.bmp>
"""
import struct
import sys

WIDTH, HEIGHT, CELL = 64, 16, 16
BACKGROUND = (255, 0, 255)
INKS = [(0, 96, 200), (128, 128, 128), (0, 48, 120), (200, 40, 40)]  # up, disabled, pressed, down


def pixel(x, y):
    cell, cx = divmod(x, CELL)
    if abs(cx - 7.5) + abs(y - 7.5) <= 6:
        return INKS[cell]
    return BACKGROUND


def main(path):
    stride = (WIDTH * 3 + 3) // 4 * 4
    rows = b""
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(WIDTH)))
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + rows)


if __name__ == "__main__":
    main(sys.argv[1])
