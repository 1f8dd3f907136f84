#!/usr/bin/env python3
"""Draws Ostrel's own images: the program icon (ICO) and the toolbar strip (24-bit BMP).

Usage: make_images.py OUTPUT_DIR
Writes OUTPUT_DIR/ostrel.ico and OUTPUT_DIR/toolbar.bmp: three 32 x 32 images (Print, monitoring
running, monitoring stopped) on magenta, the strip's transparent colour. The drawing helpers are
Aubrel's (aubrel/res/make_images.py); the output is the same on every run.
"""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location(
    "aubrel_images", os.path.join(HERE, "..", "..", "..", "aubrel", "res", "make_images.py"))
images = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(images)

ICON_SIZES = (16, 32, 48)
BUTTON = 32
MAGENTA = (255, 0, 255)
# The toolbar's face, under the images' soft edges; what stays almost untouched becomes transparent.
FACE = (236, 236, 236)
GREEN = images.hex_colour("2e9d49")
RED = images.hex_colour("c8372d")
GREY = images.hex_colour("5b6470")
PAPER = images.hex_colour("fbfbf7")


class Layer:
    """A canvas and the coverage of what was drawn on it, so that the background can be keyed out."""

    def __init__(self, width, height):
        self.canvas = images.Canvas(width, height, FACE)
        self.cover = images.Canvas(width, height, (0, 0, 0))

    def __getattr__(self, name):
        def draw(*args, **kwargs):
            getattr(self.canvas, name)(*args, **kwargs)
            shape = list(args)
            # The colour argument follows the geometry in every drawing helper.
            for i, value in enumerate(shape):
                if isinstance(value, tuple) and len(value) == 3:
                    shape[i] = (255, 255, 255)
            getattr(self.cover, name)(*shape, **kwargs)
        return draw

    def keyed(self):
        for y in range(self.canvas.height):
            for x in range(self.canvas.width):
                if self.cover.pixels[y][x][0] < 40:
                    self.canvas.pixels[y][x] = MAGENTA
        return self.canvas


def printer(layer, x0):
    layer.rounded_rect(x0 + 8, 2, x0 + 24, 14, 1.5, GREY)
    layer.rounded_rect(x0 + 9, 3, x0 + 23, 14, 1, PAPER)
    layer.rounded_rect(x0 + 3, 11, x0 + 29, 24, 3, GREY)
    layer.rounded_rect(x0 + 8, 18, x0 + 24, 30, 1.5, GREY)
    layer.rounded_rect(x0 + 9, 19, x0 + 23, 29, 1, PAPER)
    for y in (22.5, 25.5):
        layer.line(x0 + 11, y, x0 + 21, y, 1.0, GREY)
    layer.circle(x0 + 25, 15, 1.3, GREEN)


def running(layer, x0):
    layer.circle(x0 + 16, 16, 13, GREEN)
    triangle = ((x0 + 12, 9), (x0 + 12, 23), (x0 + 24, 16))
    layer.draw(lambda px, py: max(triangle_distance(px, py, triangle)), (x0 + 11, 8, x0 + 25, 24), images.WHITE)


def stopped(layer, x0):
    layer.circle(x0 + 16, 16, 13, RED)
    layer.rounded_rect(x0 + 10, 10, x0 + 22, 22, 1.5, images.WHITE)


def triangle_distance(px, py, triangle):
    """Signed distances of a point to the three edges of a clockwise triangle (all negative inside)."""
    distances = []
    for i in range(3):
        (ax, ay), (bx, by) = triangle[i], triangle[(i + 1) % 3]
        ex, ey = bx - ax, by - ay
        length = (ex * ex + ey * ey) ** 0.5
        distances.append(((px - ax) * ey - (py - ay) * ex) / length * -1)
    return distances


def toolbar():
    layer = Layer(3 * BUTTON, BUTTON)
    printer(layer, 0)
    running(layer, BUTTON)
    stopped(layer, 2 * BUTTON)
    return layer.keyed()


def icon(size):
    canvas = images.Canvas(size, size, images.BLUE)
    canvas.shade(lambda x, y: images.mix(images.SKY, images.BLUE, images.clamp(0.25 + 0.75 * y / size)))
    canvas.rounded_mask(size * 0.18)
    s = size / 32.0
    # A screen with a trend line and the product's amber node.
    canvas.rounded_rect(5 * s, 7 * s, 27 * s, 23 * s, 2 * s, images.WHITE, 0.95)
    points = [(8, 19), (12, 15), (16, 17), (20, 11), (24, 13)]
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        canvas.line(ax * s, ay * s, bx * s, by * s, max(1.0, 1.6 * s), images.BLUE)
    canvas.circle(20 * s, 11 * s, 2.2 * s, images.AMBER)
    canvas.rounded_rect(13 * s, 24 * s, 19 * s, 27 * s, 0.5 * s, images.WHITE, 0.95)
    return canvas


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    images.write_bmp(os.path.join(out, "toolbar.bmp"), toolbar())
    images.write_ico(os.path.join(out, "ostrel.ico"), [icon(s) for s in ICON_SIZES])


if __name__ == "__main__":
    main()
