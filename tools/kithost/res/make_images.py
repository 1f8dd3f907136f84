#!/usr/bin/env python3
"""Draws kithost's toolbar strip (24-bit BMP): eight 16 x 16 images on magenta.

Usage: make_images.py OUTPUT_DIR
Writes OUTPUT_DIR/toolbar.bmp: New, Open, Save, Cut, Copy, Paste, Print and About, in the order
of the toolbar resource. The layer that keys the background out is Ostrel's
(ostrel/app/res/make_images.py), the drawing helpers Aubrel's; the output is the same on every run.
"""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location(
    "ostrel_images", os.path.join(HERE, "..", "..", "..", "ostrel", "app", "res", "make_images.py"))
ostrel = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(ostrel)
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


def toolbar():
    layer = ostrel.Layer(SIZE * len(DRAWINGS), SIZE)
    for i, drawing in enumerate(DRAWINGS):
        drawing(layer, i * SIZE)
    return layer.keyed()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    images.write_bmp(os.path.join(out, "toolbar.bmp"), toolbar())


if __name__ == "__main__":
    main()
