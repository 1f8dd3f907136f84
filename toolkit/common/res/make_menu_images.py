#!/usr/bin/env python3
"""Draws the images of the toolkit's menu toolbar 9307, of the MDI child buttons, bitmap 9102, and the
pins of the ribbon's recent-file items, bitmap 9619 (32-bit BMPs with alpha).

Usage: make_menu_images.py MENU.bmp MDI.bmp PINS.bmp
MENU.bmp: five 16 x 15 images, Sort Ascending, Sort Descending, Align Left, Align Center and Align
Right, in the order of the toolbar resource. MDI.bmp: four 16 x 16 images, Restore, Minimize,
Maximize and Close. PINS.bmp: three 16 x 16 images, pinned (seen from above), not pinned (lying) and
not pinned under the mouse. The output is the same on every run.
"""
import struct
import sys

WIDTH, HEIGHT, COUNT = 16, 15, 5
MDI_SIZE, MDI_COUNT = 16, 4
INK = (0x40, 0x48, 0x58)
ARROW = (0x1d, 0x62, 0xb8)


def blank(width=WIDTH * COUNT, height=HEIGHT):
    return [[None] * width for _ in range(height)]


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


def frame(pixels, x0, y0, x1, y1, colour):
    # A window outline with a two-pixel title bar.
    hline(pixels, x0, x1, y0, colour)
    hline(pixels, x0, x1, y0 + 1, colour)
    hline(pixels, x0, x1, y1, colour)
    vline(pixels, x0, y0, y1, colour)
    vline(pixels, x1, y0, y1, colour)


def mdi_buttons():
    pixels = blank(MDI_SIZE * MDI_COUNT, MDI_SIZE)
    # Restore: two overlapping windows.
    frame(pixels, 5, 2, 13, 9, INK)
    for y in range(5, 14):
        for x in range(2, 11):
            pixels[y][x] = None
    frame(pixels, 2, 5, 10, 13, INK)
    # Minimize: a bar at the bottom.
    left = MDI_SIZE
    hline(pixels, left + 4, left + 11, 12, INK)
    hline(pixels, left + 4, left + 11, 13, INK)
    # Maximize: one large window.
    left = MDI_SIZE * 2
    frame(pixels, left + 2, 2, left + 13, 13, INK)
    # Close: a two-pixel cross.
    left = MDI_SIZE * 3
    for step in range(9):
        for dx in (0, 1):
            pixels[3 + step][left + 3 + step + dx] = INK
            pixels[3 + step][left + 12 - step - dx] = INK
    return pixels


def pin(pixels, left, upright, colour):
    # A pin head with a crossbar and a needle, upright or lying with its needle to the left.
    def put(x, y):
        if upright:
            pixels[y][left + x] = colour
        else:
            pixels[x][left + 15 - y] = colour
    for y in range(2, 8):
        put(5, y)
        put(10, y)
    for x in range(5, 11):
        put(x, 2)
    for x in range(3, 13):
        put(x, 8)
    for y in range(9, 14):
        put(7, y)
        put(8, y)


def pins():
    pixels = blank(MDI_SIZE * 3, MDI_SIZE)
    pin(pixels, 0, True, INK)
    pin(pixels, MDI_SIZE, False, INK)
    pin(pixels, MDI_SIZE * 2, False, ARROW)
    return pixels


def write_bmp(path, pixels):
    height, width = len(pixels), len(pixels[0])
    rows = b""
    for y in range(height - 1, -1, -1):
        for x in range(width):
            colour = pixels[y][x]
            rows += struct.pack("<BBBB", 0, 0, 0, 0) if colour is None else struct.pack(
                "<BBBB", colour[2], colour[1], colour[0], 255)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(rows), 2835, 2835, 0, 0)
    data = header + rows
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", 14 + len(data), 0, 0, 14 + 40) + data)


def main():
    pixels = blank()
    sort_arrow(pixels, 0, True)
    sort_arrow(pixels, WIDTH, False)
    for mode in range(3):
        align(pixels, WIDTH * (2 + mode), mode)
    write_bmp(sys.argv[1], pixels)
    write_bmp(sys.argv[2], mdi_buttons())
    write_bmp(sys.argv[3], pins())


if __name__ == "__main__":
    main()
