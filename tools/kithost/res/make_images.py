#!/usr/bin/env python3
"""Draws kithost's toolbar strip and its ribbon's pictures (24-bit BMPs on magenta).

Usage: make_images.py OUTPUT_DIR
Writes OUTPUT_DIR/toolbar.bmp: New, Open, Save, Cut, Copy, Paste, Print and About, 16 x 16, in the order
of the toolbar resource; OUTPUT_DIR/ribbon_small.bmp and ribbon_large.bmp: the ribbon's 16 x 16 and
32 x 32 pictures in the order of the id lists in kithost_ribbon.cpp. The layer that keys the background
out is Ostrel's (ostrel/app/res/make_images.py), the drawing helpers Aubrel's; the output is the same on
every run.
"""
import math
import os
import runpy
import sys
import types

HERE = os.path.dirname(os.path.abspath(__file__))
ostrel = types.SimpleNamespace(**runpy.run_path(
    os.path.join(HERE, "..", "..", "..", "ostrel", "app", "res", "make_images.py"), run_name="ostrel_images"))
images = ostrel.images

SIZE = 16
PAPER = images.hex_colour("fdfdfb")
EDGE = images.hex_colour("5b6470")
FOLDER = images.hex_colour("e8b54a")
FOLDER_DARK = images.hex_colour("b7862a")
DISK = images.hex_colour("2f5f9e")
STEEL = images.hex_colour("9aa4b1")
BOARD = images.hex_colour("a8743a")
BLUE = images.hex_colour("1d62b8")


def page(layer, x0, y0, x1, y1):
    layer.rounded_rect(x0, y0, x1, y1, 0.8, EDGE)
    layer.rounded_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 0.4, PAPER)


def new_file(layer, x):
    page(layer, x + 3, 1, x + 13, 15)
    for y in (5.5, 8.5, 11.5):
        layer.line(x + 5, y, x + 11, y, 1.0, STEEL)


def open_file(layer, x):
    layer.rounded_rect(x + 1, 3, x + 7, 6, 0.8, FOLDER_DARK)
    layer.rounded_rect(x + 1, 4, x + 15, 14, 1.0, FOLDER_DARK)
    layer.rounded_rect(x + 2, 6, x + 14, 13, 0.6, FOLDER)


def save_file(layer, x):
    layer.rounded_rect(x + 1, 1, x + 15, 15, 1.2, DISK)
    layer.rounded_rect(x + 4, 2, x + 12, 7, 0.4, PAPER)
    layer.rounded_rect(x + 4, 10, x + 12, 15, 0.4, STEEL)


def cut(layer, x):
    layer.line(x + 4.5, 2, x + 10.5, 10, 1.4, EDGE)
    layer.line(x + 11.5, 2, x + 5.5, 10, 1.4, EDGE)
    layer.ring(x + 4.5, 12, 2.4, 1.4, BLUE)
    layer.ring(x + 11.5, 12, 2.4, 1.4, BLUE)


def copy(layer, x):
    page(layer, x + 1, 1, x + 10, 11)
    page(layer, x + 6, 5, x + 15, 15)
    for y in (8.5, 11.5):
        layer.line(x + 8, y, x + 13, y, 1.0, STEEL)


def paste(layer, x):
    layer.rounded_rect(x + 2, 2, x + 14, 15, 1.2, BOARD)
    layer.rounded_rect(x + 5, 1, x + 11, 4, 0.8, EDGE)
    page(layer, x + 5, 6, x + 13, 15)


def printer(layer, x):
    layer.rounded_rect(x + 4, 1, x + 12, 7, 0.4, EDGE)
    layer.rounded_rect(x + 5, 2, x + 11, 7, 0.2, PAPER)
    layer.rounded_rect(x + 1, 6, x + 15, 12, 1.5, EDGE)
    layer.rounded_rect(x + 4, 10, x + 12, 15, 0.4, EDGE)
    layer.rounded_rect(x + 5, 10, x + 11, 14, 0.2, PAPER)


def about(layer, x):
    layer.circle(x + 8, 8, 7, BLUE)
    layer.circle(x + 8, 4.5, 1.2, images.WHITE)
    layer.rounded_rect(x + 7, 7, x + 9, 12.5, 0.3, images.WHITE)


DRAWINGS = (new_file, open_file, save_file, cut, copy, paste, printer, about)

RED = images.hex_colour("c8372d")
GREEN = images.hex_colour("2e9d49")
INK = images.hex_colour("26303c")
GOLD = images.hex_colour("f2c14e")
SKY = images.hex_colour("9cc8f0")


class Scaled:
    """Draws a 16-pixel picture onto a layer at a scale, from an x offset: the 32-pixel pictures reuse the small ones."""

    def __init__(self, layer, scale, x0):
        self.layer = layer
        self.s = scale
        self.x0 = x0

    def _x(self, x):
        return self.x0 + x * self.s

    def rounded_rect(self, x0, y0, x1, y1, radius, colour):
        self.layer.rounded_rect(self._x(x0), y0 * self.s, self._x(x1), y1 * self.s, radius * self.s, colour)

    def line(self, ax, ay, bx, by, width, colour):
        self.layer.line(self._x(ax), ay * self.s, self._x(bx), by * self.s, width * self.s, colour)

    def circle(self, cx, cy, r, colour):
        self.layer.circle(self._x(cx), cy * self.s, r * self.s, colour)

    def ring(self, cx, cy, r, width, colour):
        self.layer.ring(self._x(cx), cy * self.s, r * self.s, width * self.s, colour)


def arc(layer, cx, cy, r, a0, a1, width, colour, steps=10):
    """A circular arc from angle a0 to a1 (degrees, y downwards) as short strokes."""
    points = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
               cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        layer.line(ax, ay, bx, by, width, colour)


def arrow_back(layer, x, colour=BLUE, mirrored=False):
    def mx(v):
        return x + (16 - v if mirrored else v)
    # The bow from the arrow head over the top round to the bottom right.
    steps = 12
    for i in range(steps):
        a = math.radians(200 - 250 * i / steps)
        b = math.radians(200 - 250 * (i + 1) / steps)
        layer.line(mx(8.5 + 5 * math.cos(a)), 9 - 5 * math.sin(a), mx(8.5 + 5 * math.cos(b)), 9 - 5 * math.sin(b),
                   1.8, colour)
    layer.line(mx(2.5), 5, mx(3.8), 10.5, 1.8, colour)
    layer.line(mx(3.8), 10.5, mx(8.5), 7.5, 1.8, colour)


def undo(layer, x):
    arrow_back(layer, x)


def redo(layer, x):
    arrow_back(layer, x, mirrored=True)


def letter_bold(layer, x):
    layer.line(x + 5, 2.5, x + 5, 13.5, 2.4, INK)
    layer.ring(x + 8.5, 5.3, 2.6, 2.2, INK)
    layer.ring(x + 8.8, 10.6, 3.0, 2.2, INK)
    layer.line(x + 5, 2.5, x + 8.5, 2.5, 2.2, INK)
    layer.line(x + 5, 13.5, x + 8.8, 13.5, 2.2, INK)


def letter_italic(layer, x):
    layer.line(x + 9.5, 2.5, x + 6.5, 13.5, 1.6, INK)
    layer.line(x + 7, 2.5, x + 12, 2.5, 1.4, INK)
    layer.line(x + 4, 13.5, x + 9, 13.5, 1.4, INK)


def letter_underline(layer, x):
    layer.line(x + 4.5, 2, x + 4.5, 8.5, 1.6, INK)
    layer.line(x + 11.5, 2, x + 11.5, 8.5, 1.6, INK)
    arc(layer, x + 8, 8.5, 3.5, 0, 180, 1.6, INK)
    layer.line(x + 3, 14.5, x + 13, 14.5, 1.2, BLUE)


def text_lines(layer, x, spans):
    for i, (a, b) in enumerate(spans):
        layer.line(x + a, 3 + 3 * i, x + b, 3 + 3 * i, 1.4, INK)


def align_left(layer, x):
    text_lines(layer, x, ((2, 14), (2, 10), (2, 14), (2, 9)))


def align_center(layer, x):
    text_lines(layer, x, ((2, 14), (4, 12), (2, 14), (5, 11)))


def align_right(layer, x):
    text_lines(layer, x, ((2, 14), (6, 14), (2, 14), (7, 14)))


def bullets(layer, x):
    for i in range(3):
        y = 3.5 + 4.5 * i
        layer.circle(x + 3, y, 1.5, BLUE)
        layer.line(x + 6.5, y, x + 14, y, 1.4, INK)


def magnifier(layer, x):
    layer.ring(x + 6.5, 6.5, 4.2, 1.6, EDGE)
    layer.circle(x + 6.5, 6.5, 3.2, SKY)
    layer.line(x + 9.5, 9.5, x + 14, 14, 2.4, BOARD)


def find(layer, x):
    magnifier(layer, x)


def replace(layer, x):
    layer.line(x + 2, 4, x + 9, 4, 1.4, INK)
    layer.line(x + 2, 7, x + 7, 7, 1.4, INK)
    layer.line(x + 9, 9, x + 14, 14, 1.6, BLUE)
    layer.line(x + 14, 9, x + 9, 14, 1.6, BLUE)
    layer.line(x + 11, 3, x + 14, 6, 1.6, GREEN)
    layer.line(x + 14, 6, x + 14, 2, 1.4, GREEN)


def select_all(layer, x):
    for i in range(0, 14, 3):
        layer.line(x + 1.5 + i, 1.5, x + 2.5 + i, 1.5, 1.0, EDGE)
        layer.line(x + 1.5 + i, 14.5, x + 2.5 + i, 14.5, 1.0, EDGE)
        layer.line(x + 1.5, 1.5 + i, x + 1.5, 2.5 + i, 1.0, EDGE)
        layer.line(x + 14.5, 1.5 + i, x + 14.5, 2.5 + i, 1.0, EDGE)
    layer.rounded_rect(x + 4, 4, x + 12, 12, 0.5, SKY)


def grid(layer, x, x0=1, y0=2, x1=15, y1=14):
    layer.rounded_rect(x + x0, y0, x + x1, y1, 0.6, EDGE)
    layer.rounded_rect(x + x0 + 1, y0 + 1, x + x1 - 1, y1 - 1, 0.3, PAPER)
    layer.rounded_rect(x + x0 + 1, y0 + 1, x + x1 - 1, y0 + 4, 0.3, SKY)
    for gx in (x0 + (x1 - x0) / 3, x0 + 2 * (x1 - x0) / 3):
        layer.line(x + gx, y0 + 1, x + gx, y1 - 1, 0.8, STEEL)
    for gy in (y0 + 4, y0 + 4 + (y1 - y0 - 4) / 2):
        layer.line(x + x0 + 1, gy, x + x1 - 1, gy, 0.8, STEEL)


def plus(layer, cx, cy):
    layer.circle(cx, cy, 3.2, GREEN)
    layer.line(cx - 1.8, cy, cx + 1.8, cy, 1.2, images.WHITE)
    layer.line(cx, cy - 1.8, cx, cy + 1.8, 1.2, images.WHITE)


def insert_row(layer, x):
    grid(layer, x, 1, 1, 15, 11)
    plus(layer, x + 8, 12.5)


def insert_column(layer, x):
    grid(layer, x, 1, 2, 11, 14)
    plus(layer, x + 12.5, 8)


def calendar(layer, x):
    layer.rounded_rect(x + 1, 2, x + 15, 15, 1.0, EDGE)
    layer.rounded_rect(x + 2, 5, x + 14, 14, 0.4, PAPER)
    layer.rounded_rect(x + 1, 2, x + 15, 5.5, 1.0, RED)
    for gy in (8, 11):
        for gx in (4.5, 8, 11.5):
            layer.rounded_rect(x + gx - 1, gy - 1, x + gx + 1, gy + 1, 0.2, STEEL)


def link(layer, x):
    layer.ring(x + 5.5, 10.5, 3.0, 1.6, BLUE)
    layer.ring(x + 10.5, 5.5, 3.0, 1.6, BLUE)
    layer.line(x + 6.5, 9.5, x + 9.5, 6.5, 1.6, EDGE)


def tile(layer, x):
    for x0, x1 in ((1, 7.5), (8.5, 15)):
        layer.rounded_rect(x + x0, 2, x + x1, 14, 0.6, EDGE)
        layer.rounded_rect(x + x0 + 1, 4.5, x + x1 - 1, 13, 0.3, PAPER)
        layer.rounded_rect(x + x0, 2, x + x1, 4.5, 0.6, BLUE)


def status_bar(layer, x):
    layer.rounded_rect(x + 1, 2, x + 15, 14, 0.8, EDGE)
    layer.rounded_rect(x + 2, 3, x + 14, 10, 0.4, PAPER)
    layer.rounded_rect(x + 2, 10.5, x + 14, 13, 0.2, SKY)
    layer.line(x + 9, 10.5, x + 9, 13, 0.8, EDGE)


def word_wrap(layer, x):
    layer.line(x + 2, 3, x + 14, 3, 1.4, INK)
    layer.line(x + 2, 7, x + 11, 7, 1.4, INK)
    arc(layer, x + 11, 9.5, 2.5, -90, 90, 1.4, BLUE)
    layer.line(x + 8, 12, x + 11, 12, 1.4, BLUE)
    layer.line(x + 8, 12, x + 9.8, 10.2, 1.4, BLUE)
    layer.line(x + 8, 12, x + 9.8, 13.8, 1.4, BLUE)
    layer.line(x + 2, 12, x + 5.5, 12, 1.4, INK)


def gridlines(layer, x):
    for v in (2, 6, 10, 14):
        layer.line(x + v, 2, x + v, 14, 0.9, STEEL)
        layer.line(x + 2, v, x + 14, v, 0.9, STEEL)


def exit_program(layer, x):
    layer.rounded_rect(x + 2, 1, x + 10, 15, 0.8, EDGE)
    layer.rounded_rect(x + 3, 2, x + 9, 14, 0.4, BOARD)
    layer.line(x + 7, 8, x + 14.5, 8, 1.6, RED)
    layer.line(x + 14.5, 8, x + 12, 5.5, 1.6, RED)
    layer.line(x + 14.5, 8, x + 12, 10.5, 1.6, RED)


def options(layer, x):
    layer.circle(x + 8, 8, 6.6, STEEL)
    for i in range(8):
        a = i * math.pi / 4
        layer.circle(x + 8 + 6.4 * math.cos(a), 8 + 6.4 * math.sin(a), 1.6, images.WHITE)
    layer.ring(x + 8, 8, 5.2, 1.6, EDGE)
    layer.circle(x + 8, 8, 2.0, images.WHITE)


def text_page(layer, x):
    page(layer, x + 3, 1, x + 13, 15)
    for y in (4.5, 7, 9.5, 12):
        layer.line(x + 5, y, x + 11, y, 0.9, BLUE)


def grid_page(layer, x):
    page(layer, x + 2, 1, x + 14, 15)
    grid(layer, x, 3.5, 4, 12.5, 13)


def table(layer, x):
    grid(layer, x, 1, 2, 15, 14)


def picture(layer, x):
    layer.rounded_rect(x + 1, 2, x + 15, 14, 0.8, EDGE)
    layer.rounded_rect(x + 2, 3, x + 14, 13, 0.4, SKY)
    layer.circle(x + 11, 6, 1.6, GOLD)
    layer.line(x + 2.5, 12, x + 6.5, 7, 1.6, GREEN)
    layer.line(x + 6.5, 7, x + 10.5, 12, 1.6, GREEN)
    layer.line(x + 8.5, 10, x + 10.5, 8.5, 1.4, GREEN)
    layer.line(x + 10.5, 8.5, x + 13.5, 12, 1.4, GREEN)


def chart(layer, x):
    layer.line(x + 2, 1.5, x + 2, 14, 1.0, EDGE)
    layer.line(x + 2, 14, x + 15, 14, 1.0, EDGE)
    for i, (h, colour) in enumerate(((6, BLUE), (10, GREEN), (4, RED), (8, GOLD))):
        layer.rounded_rect(x + 3.5 + 3 * i, 13.5 - h, x + 5.5 + 3 * i, 13.5, 0.2, colour)


def zoom(layer, x):
    magnifier(layer, x)
    layer.line(x + 4.5, 6.5, x + 8.5, 6.5, 1.0, EDGE)
    layer.line(x + 6.5, 4.5, x + 6.5, 8.5, 1.0, EDGE)


def zoom_100(layer, x):
    page(layer, x + 3, 1, x + 13, 15)
    layer.line(x + 5.5, 5.5, x + 5.5, 10.5, 1.0, BLUE)
    layer.ring(x + 8, 8, 1.4, 0.9, BLUE)
    layer.ring(x + 10.8, 8, 1.4, 0.9, BLUE)


def new_window(layer, x):
    layer.rounded_rect(x + 1, 1, x + 12, 11, 0.6, EDGE)
    layer.rounded_rect(x + 2, 3.5, x + 11, 10, 0.3, PAPER)
    layer.rounded_rect(x + 1, 1, x + 12, 3.5, 0.6, BLUE)
    layer.rounded_rect(x + 5, 6, x + 15, 15, 0.6, EDGE)
    layer.rounded_rect(x + 6, 8.5, x + 14, 14, 0.3, PAPER)
    layer.rounded_rect(x + 5, 6, x + 15, 8.5, 0.6, BLUE)


def cascade(layer, x):
    for i in range(3):
        o = 3.5 * i
        layer.rounded_rect(x + 1 + o, 1 + o, x + 9 + o, 8 + o, 0.6, EDGE)
        layer.rounded_rect(x + 2 + o, 3 + o, x + 8 + o, 7 + o, 0.3, PAPER)
        layer.rounded_rect(x + 1 + o, 1 + o, x + 9 + o, 3 + o, 0.6, BLUE)


def program_mark(layer, x):
    """kithost's mark on the application button: a page under a ribbon of three tabs."""
    layer.rounded_rect(x + 3, 3, x + 13, 14, 0.8, EDGE)
    layer.rounded_rect(x + 4, 4, x + 12, 13, 0.5, PAPER)
    layer.rounded_rect(x + 3, 3, x + 13, 6.5, 0.8, BLUE)
    layer.rounded_rect(x + 4, 2, x + 7, 4, 0.4, GOLD)
    for y in (8.5, 10.5):
        layer.line(x + 5.5, y, x + 10.5, y, 0.8, STEEL)


# The ribbon's 16 x 16 pictures and its 32 x 32 ones, in the order of the id lists of kithost_ribbon.cpp.
SMALL = (undo, redo, letter_bold, letter_italic, letter_underline, align_left, align_center, align_right, bullets,
         find, replace, select_all, insert_row, insert_column, calendar, link, tile, status_bar, word_wrap, gridlines,
         exit_program, options, text_page, grid_page, save_file, picture, zoom)
LARGE = (paste, text_page, grid_page, table, picture, chart, zoom, zoom_100, new_window, cascade, new_file, open_file,
         save_file, printer, about, options, program_mark)


def strip(drawings, size):
    layer = ostrel.Layer(size * len(drawings), size)
    for i, drawing in enumerate(drawings):
        drawing(layer, i * size) if size == SIZE else drawing(Scaled(layer, size // SIZE, i * size), 0)
    return layer.keyed()


def toolbar():
    return strip(DRAWINGS, SIZE)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    images.write_bmp(os.path.join(out, "toolbar.bmp"), toolbar())
    images.write_bmp(os.path.join(out, "ribbon_small.bmp"), strip(SMALL, SIZE))
    images.write_bmp(os.path.join(out, "ribbon_large.bmp"), strip(LARGE, 2 * SIZE))


if __name__ == "__main__":
    main()
