#!/usr/bin/env python3
"""Draws Corvel's small bitmaps as 24-bit BMP files: the tree image strip and the diagnostics toolbar; and
the picture of the cursor of a tag dragged in the EtherNet/IP mapping dialog.

Usage: make_images.py OUTPUT_DIR
Writes OUTPUT_DIR/diagnostic_tree.bmp (forty 16 x 16 images side by side: 0 the
project, 27 a driver, 28 a diagnostic, and the IED mapping tree's pictures; the
others are left blank) and
OUTPUT_DIR/diagnostic_toolbar.bmp (one 16 x 15 button on the toolbar's grey) and
OUTPUT_DIR/drag_tag_cursor.bin (32 x 32, two colours: the arrow with a tag's row below it, hot spot at the tip;
the picture the dialog makes its cursor of, kept as data: the pictures of CURSOR statements are numbered from 1
in each resource script, and the toolkit's script has cursor pictures of those numbers).
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


def draw_mapping_images(canvas):
    """The IED mapping tree's pictures: 1 an attribute, 2 a logical device, 3 a logical node, 4 a data object,
    5 to 22 an attribute of each functional constraint, 23 a sub data object, 24 a report, 25 a GOOSE block,
    26 an unsupported large integer, 29 a control."""
    def put(i, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16: canvas[y][i*16+x] = c
    def rect(i, x0, y0, x1, y1, fill, edge=None):
        for y in range(y0, y1+1):
            for x in range(x0, x1+1):
                e = edge and (x in (x0, x1) or y in (y0, y1))
                put(i, x, y, edge if e else fill)
    def rrect(i, x0, y0, x1, y1, fill, edge):
        rect(i, x0, y0, x1, y1, fill, edge)
        for (x, y) in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)): put(i, x, y, WHITE)
        for (x, y) in ((x0+1, y0+1), (x1-1, y0+1), (x0+1, y1-1), (x1-1, y1-1)): put(i, x, y, edge)
    def dark(c, f=0.55): return tuple(int(v*f) for v in c)
    def light(c, f=0.45): return tuple(int(v+(255-v)*f) for v in c)
    # 1: a plain attribute
    rrect(1, 3, 4, 12, 11, (200, 200, 200), (110, 110, 110))
    # 2: logical device, a rack with two slots
    rect(2, 1, 2, 14, 13, (70, 110, 170), (30, 50, 90))
    for y in (4, 8):
        rect(2, 3, y, 12, y+2, (200, 220, 245), (30, 50, 90))
        put(2, 11, y+1, (80, 200, 90))
    # 3: logical node, a green block with a lighter face
    rect(3, 2, 2, 13, 13, (60, 150, 80), (25, 80, 40))
    rect(3, 4, 4, 11, 7, light((60, 150, 80)))
    # 4: data object, an orange cube
    def cube(i, x0, y0, s, c):
        e = dark(c)
        for k in range(3):  # top face
            for x in range(x0+3-k, x0+s+3-k): put(i, x, y0+k, light(c))
        rect(i, x0, y0+3, x0+s-1, y0+s+2, c, e)
        for k in range(s):
            put(i, x0+s+min(k, 2), y0+3+k, dark(c, 0.75))
        for k in range(3):
            put(i, x0+s+k, y0+2-k, e); put(i, x0+k, y0+2-k, e)
        for y in range(y0, y0+s): put(i, x0+s+2, y, dark(c, 0.7))
    cube(4, 2, 2, 10, (230, 150, 40))
    # 5..22: attributes, a tag in the colour of their functional constraint
    fc_colours = [(40, 120, 220), (0, 160, 160), (210, 60, 50), (150, 90, 200), (90, 170, 60), (120, 120, 120),
                  (230, 170, 0), (200, 80, 160), (60, 80, 180), (170, 110, 60), (0, 140, 100), (220, 110, 40),
                  (110, 60, 160), (180, 40, 90), (70, 150, 210), (140, 160, 40), (160, 70, 70), (90, 90, 140)]
    for k, c in enumerate(fc_colours):
        i = 5 + k
        e = dark(c)
        rect(i, 4, 4, 14, 11, c, e)
        for y, xs in ((5, (3,)), (6, (2, 3)), (7, (1, 2, 3)), (8, (1, 2, 3)), (9, (2, 3)), (10, (3,))):
            for x in xs: put(i, x, y, c)
        for (x, y) in ((3, 4), (2, 5), (1, 6), (0, 7), (0, 8), (1, 9), (2, 10), (3, 11)): put(i, x, y, e)
        put(i, 4, 4, e); put(i, 4, 11, e)
        rect(i, 3, 7, 4, 8, WHITE)
        rect(i, 7, 6, 12, 6, light(c, 0.6)); rect(i, 7, 9, 11, 9, light(c, 0.6))
    # 23: sub data object, a smaller teal cube
    cube(23, 3, 4, 8, (40, 160, 170))
    # 24: report, a page with a red title and lines
    rect(24, 3, 1, 12, 14, WHITE, (70, 70, 70))
    rect(24, 4, 2, 11, 4, (200, 50, 50))
    for y in (6, 8, 10, 12): rect(24, 5, y, 10, y, (120, 120, 120))
    # 25: GOOSE, a purple envelope with a flash
    rect(25, 1, 3, 14, 12, (235, 225, 250), (100, 60, 160))
    for k in range(7): put(25, 1+k, 3+k*5//7, (100, 60, 160)); put(25, 14-k, 3+k*5//7, (100, 60, 160))
    for (x, y) in ((9, 6), (8, 7), (7, 8), (8, 8), (9, 8), (8, 9), (7, 10)): put(25, x, y, (240, 170, 0))
    # 26: a large integer, unsupported: a grey tag crossed out
    rect(26, 3, 4, 14, 11, (190, 190, 190), (100, 100, 100))
    for k in range(8): put(26, 5+k, 4+k, (200, 30, 30)); put(26, 12-k, 4+k, (200, 30, 30))
    for k in range(7): put(26, 6+k, 4+k, (200, 30, 30)); put(26, 11-k, 4+k, (200, 30, 30))
    # 29: control, a switch: a rounded track with its knob
    rrect(29, 1, 5, 14, 11, (60, 150, 230), (30, 80, 140))
    rect(29, 9, 6, 13, 10, WHITE, (30, 80, 140))
    rect(29, 3, 8, 6, 8, WHITE)


def tree_strip():
    canvas = blank(TREE_IMAGES * TREE_SIZE, TREE_SIZE, WHITE)
    for index, grid in ((PROJECT_IMAGE, PROJECT), (DRIVER_IMAGE, DRIVER), (DIAGNOSTIC_IMAGE, DIAGNOSTIC)):
        paste(canvas, picture_pixels(grid, WHITE), index * TREE_SIZE)
    draw_mapping_images(canvas)
    return canvas


# The drag cursor: 'k' black, 'w' white, '.' transparent.
DRAG_TAG = [
    "k...............",
    "kk..............",
    "kwk.............",
    "kwwk............",
    "kwwwk...........",
    "kwwwwk..........",
    "kwwwwwk.........",
    "kwwwwwwk........",
    "kwwwwwwwk.......",
    "kwwwwwwwwk......",
    "kwwwwwkkkkk.....",
    "kwwkwwk.........",
    "kwk.kwwk........",
    "kk..kwwk........",
    "k....kwwk.......",
    ".....kwwk.......",
    "......kk........",
    "................",
    "......kkkkkkkkkkkkkkkkkk",
    "......kwwwwwwwwwwwwwwwwk",
    "......kwkkkkkkwwkkkkwwwk",
    "......kwwwwwwwwwwwwwwwwk",
    "......kkkkkkkkkkkkkkkkkk",
]
CURSOR_SIZE = 32


def cursor_picture(grid, hot_x, hot_y):
    """A two-colour cursor's picture as the system makes a cursor of it: the hot spot, then the XOR image
    (index 1 white) and the AND mask, bottom row first."""
    rows = [row.ljust(CURSOR_SIZE, '.') for row in grid] + ['.' * CURSOR_SIZE] * (CURSOR_SIZE - len(grid))
    stride = CURSOR_SIZE // 8
    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(rows):
        xor_row = 0
        and_row = 0
        for c in row:
            xor_row = (xor_row << 1) | (1 if c == 'w' else 0)
            and_row = (and_row << 1) | (1 if c == '.' else 0)
        xor_bits += xor_row.to_bytes(stride, 'big')
        and_bits += and_row.to_bytes(stride, 'big')
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = struct.pack('<IiiHHIIiiII', 40, CURSOR_SIZE, 2 * CURSOR_SIZE, 1, 1, 0, len(xor_bits) + len(and_bits),
                         0, 0, 2, 0)
    return struct.pack('<HH', hot_x, hot_y) + header + palette + bytes(xor_bits) + bytes(and_bits)


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    outputs = {
        'diagnostic_tree.bmp': bmp_bytes(tree_strip()),
        'diagnostic_toolbar.bmp': bmp_bytes(picture_pixels(RECONNECT, TOOLBAR_GREY)),
        'drag_tag_cursor.bin': cursor_picture(DRAG_TAG, 0, 0),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)
    return 0


if __name__ == '__main__':
    sys.exit(main())
