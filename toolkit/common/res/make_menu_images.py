#!/usr/bin/env python3
"""Draws the images of the toolkit's menu toolbar 9307 (32-bit BMP with alpha): five 16 x 15 images.

Usage: make_menu_images.py OUTPUT.bmp
Sort Ascending, Sort Descending, Align Left, Align Center and Align Right, in the order of the
toolbar resource; the output is the same on every run.
"""
import struct
import sys

WIDTH, HEIGHT, COUNT = 16, 15, 5
INK = (0x40, 0x48, 0x58)
ARROW = (0x1d, 0x62, 0xb8)


def blank():
    return [[None] * (WIDTH * COUNT) for _ in range(HEIGHT)]


def hline(pixels, x0, x1, y, colour):
    for x in range(x0, x1 + 1):
        pixels[y][x] = colour


def vline(pixels, x, y0, y1, colour):
    for y in range(y0, y1 + 1):
        pixels[y][x] = colour


def sort_arrow(pixels, left, up):
    # The shaft and a three-step head, then bars that grow in the order of the sort.
    vline(pixels, left + 4, 2, 12, ARROW)
    vline(pixels, left + 3, 2, 12, ARROW)
    for step in range(3):
        y = 2 + step if up else 12 - step
        hline(pixels, left + 1 + step, left + 6 - step, y, ARROW)
    widths = (2, 4, 6) if up else (6, 4, 2)
    for row, width in enumerate(widths):
        y = 3 + row * 4
        hline(pixels, left + 9, left + 8 + width, y, INK)
        hline(pixels, left + 9, left + 8 + width, y + 1, INK)


def align(pixels, left, mode):
    for row, width in enumerate((12, 8, 12, 6)):
        y = 2 + row * 3
        if mode == 0:
            x0 = 2
        elif mode == 1:
            x0 = 2 + (12 - width) // 2
        else:
            x0 = 14 - width
        hline(pixels, left + x0, left + x0 + width - 1, y, INK)
        hline(pixels, left + x0, left + x0 + width - 1, y + 1, INK)


def main():
    pixels = blank()
    sort_arrow(pixels, 0, True)
    sort_arrow(pixels, WIDTH, False)
    for mode in range(3):
        align(pixels, WIDTH * (2 + mode), mode)
    width = WIDTH * COUNT
    rows = b""
    for y in range(HEIGHT - 1, -1, -1):
        for x in range(width):
            colour = pixels[y][x]
            rows += struct.pack("<BBBB", 0, 0, 0, 0) if colour is None else struct.pack(
                "<BBBB", colour[2], colour[1], colour[0], 255)
    header = struct.pack("<IiiHHIIiiII", 40, width, HEIGHT, 1, 32, 0, len(rows), 2835, 2835, 0, 0)
    data = header + rows
    with open(sys.argv[1], "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 14 + len(data), 0, 0, 14 + 40) + data)


if __name__ == "__main__":
    main()
