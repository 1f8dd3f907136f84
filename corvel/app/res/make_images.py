#!/usr/bin/env python3
"""Draws Corvel's small bitmaps as 24-bit BMP files: the diagnostics tree's image strip and toolbar.

Usage: make_images.py OUTPUT_DIR
Writes OUTPUT_DIR/diagnostic_tree.bmp (forty 16 x 16 images side by side: 0 the
project, 27 a driver, 28 a diagnostic; the others are left blank) and
OUTPUT_DIR/diagnostic_toolbar.bmp (one 16 x 15 button on the toolbar's grey).
The files beside this script are its output; the test build checks that they
are the same as a new run.
"""
import os
import struct
import sys

WHITE = (255, 255, 255)
TOOLBAR_GREY = (192, 192, 192)

TREE_IMAGES = 40
TREE_SIZE = 16
PROJECT_IMAGE = 0
DRIVER_IMAGE = 27
DIAGNOSTIC_IMAGE = 28

# Pictures as character grids: each letter names a colour of the palette, '.' leaves the background.
PALETTE = {
    'k': (64, 64, 64),       # outline
    'b': (38, 96, 168),      # blue
    'l': (150, 190, 235),    # light blue
    'y': (236, 196, 80),     # folder yellow
    'o': (190, 140, 40),     # folder edge
    'g': (40, 140, 70),      # green
    'm': (130, 205, 150),    # light green
    'w': (255, 255, 255),
    's': (160, 160, 160),    # steel
    'd': (110, 110, 110),    # dark steel
    'r': (200, 60, 50),      # red
}

# A project: a folder.
PROJECT = [
    "................",
    "................",
    ".oooooo.........",
    "oyyyyyyo........",
    "oyyyyyyooooooo..",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "oyyyyyyyyyyyyyo.",
    "ooooooooooooooo.",
    "................",
    "................",
]

# A driver: a module with its connector pins.
DRIVER = [
    "................",
    "...d.d.d.d.d....",
    "..kkkkkkkkkkk...",
    "..kbbbbbbbbbk...",
    ".dkbllllllbbkd..",
    "..kbllllllbbk...",
    ".dkbbbbbbbbbkd..",
    "..kbbbbbbbbbk...",
    ".dkbbbgbbrbbkd..",
    "..kbbbbbbbbbk...",
    ".dkbbbbbbbbbkd..",
    "..kkkkkkkkkkk...",
    "...d.d.d.d.d....",
    "................",
    "................",
    "................",
]

# A diagnostic: a page of values with a green tick.
DIAGNOSTIC = [
    "................",
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwsssswwkwk...",
    "..kwwwwwwwkkkk..",
    "..kwsssssssswk..",
    "..kwwwwwwwwwwk..",
    "..kwssssssswwk..",
    "..kwwwwwwwwwwk..",
    "..kwsssswwwwgk..",
    "..kwwwwwwwwgmk..",
    "..kwssswgwgmwk..",
    "..kwwwwwmgmwwk..",
    "..kwwwwwwmwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]

# The toolbar's one button: connect again (two arrows round a circle).
RECONNECT = [
    "................",
    "......gggg......",
    "....gg....gg.g..",
    "...g........ggg.",
    "..g........gggg.",
    "..g.............",
    ".g..............",
    ".g............g.",
    ".g............g.",
    "..............g.",
    ".gggg........g..",
    ".ggg........g...",
    "..g.gg....gg....",
    "......gggg......",
    "................",
]


def picture_pixels(grid, background):
    return [[PALETTE[c] if c != '.' else background for c in row] for row in grid]


def blank(width, height, colour):
    return [[colour] * width for _ in range(height)]


def paste(canvas, picture, left):
    for y, row in enumerate(picture):
        for x, colour in enumerate(row):
            canvas[y][left + x] = colour


def bmp_bytes(pixels):
    """A bottom-up 24-bit BMP of rows of (r, g, b)."""
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        body += line
    header_size = 14 + 40
    file_header = struct.pack('<2sIHHI', b'BM', header_size + len(body), 0, 0, header_size)
    info_header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return file_header + info_header + bytes(body)


def tree_strip():
    canvas = blank(TREE_IMAGES * TREE_SIZE, TREE_SIZE, WHITE)
    for index, grid in ((PROJECT_IMAGE, PROJECT), (DRIVER_IMAGE, DRIVER), (DIAGNOSTIC_IMAGE, DIAGNOSTIC)):
        paste(canvas, picture_pixels(grid, WHITE), index * TREE_SIZE)
    return canvas


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    outputs = {
        'diagnostic_tree.bmp': bmp_bytes(tree_strip()),
        'diagnostic_toolbar.bmp': bmp_bytes(picture_pixels(RECONNECT, TOOLBAR_GREY)),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
