#!/usr/bin/env python3
"""Writes the end-to-end tests' picture: a 24-bit BMP with a colour ramp, a
grid every 50 pixels and a white diagonal band, so that every scroll offset
and zoom shows a different frame. Usage: make_picture.py OUT.bmp [WIDTH HEIGHT]"""
import struct
import sys

GRID = 50
BAND = 12  # half width of the diagonal band


def make_bmp(width, height):
    row_size = (width * 3 + 3) & ~3
    reds = bytes(255 * x // max(1, width - 1) for x in range(width))
    blues = bytes((7 * x) & 0xFF for x in range(width))
    pixels = bytearray(row_size * height)
    for y in range(height):
        row = bytearray(row_size)
        if y % GRID != 0:
            # Blue (7x + 3y) mod 256: the first row's blues shifted in value.
            shift = 3 * y
            table = bytes((v + shift) & 0xFF for v in range(256))
            row[0:width * 3:3] = blues.translate(table)
            row[1:width * 3:3] = bytes((255 * y // max(1, height - 1),)) * width
            row[2:width * 3:3] = reds
            for x in range(0, width, GRID):
                row[3 * x:3 * x + 3] = b"\0\0\0"
            left = max(0, y - BAND + 1)
            right = min(width, y + BAND)
            if left < right:
                row[3 * left:3 * right] = b"\xff" * (3 * (right - left))
        # BMP rows run bottom to top.
        start = (height - 1 - y) * row_size
        pixels[start:start + row_size] = row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return header + info + bytes(pixels)


def main():
    if len(sys.argv) not in (2, 4):
        sys.exit(__doc__)
    width, height = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) == 4 else (1600, 1200)
    with open(sys.argv[1], "wb") as out:
        out.write(make_bmp(width, height))


if __name__ == "__main__":
    main()
