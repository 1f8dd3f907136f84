#!/usr/bin/env python3
"""Draws Aubrel's own images: the splash bitmap (24-bit BMP) and the about icon (ICO).

Usage: make_images.py OUTPUT_DIR
Writes OUTPUT_DIR/splash.bmp and OUTPUT_DIR/aubrel.ico. Shapes are drawn with
anti-aliased edges from their signed distances; the output is the same on every run.
"""
import math
import os
import struct
import sys

SPLASH_WIDTH = 440
SPLASH_HEIGHT = 300
ICON_SIZES = (16, 32, 48)
# Centre of the splash's mark, as parts of the width and height, and the lower band's height in pixels.
MARK_X = 0.76
MARK_Y = 0.32
BAND_HEIGHT = 100


def clamp(value, low=0.0, high=1.0):
    return low if value < low else high if value > high else value


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


class Canvas:
    """An RGB float image with coverage-blended shapes."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[tuple(fill) for _ in range(width)] for _ in range(height)]
        self.alpha = [[1.0] * width for _ in range(height)]

    def shade(self, colour_at):
        for y in range(self.height):
            row = self.pixels[y]
            for x in range(self.width):
                row[x] = colour_at(x + 0.5, y + 0.5)

    def blend(self, x, y, colour, coverage):
        if coverage <= 0.0:
            return
        self.pixels[y][x] = mix(self.pixels[y][x], colour, coverage)

    def draw(self, distance, bounds, colour, opacity=1.0):
        """Fills where distance(px, py) < 0; bounds is (x0, y0, x1, y1) in pixels."""
        x0, y0, x1, y1 = bounds
        for y in range(max(0, int(y0) - 1), min(self.height, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0) - 1), min(self.width, int(math.ceil(x1)) + 1)):
                coverage = clamp(0.5 - distance(x + 0.5, y + 0.5))
                self.blend(x, y, colour, coverage * opacity)

    def circle(self, cx, cy, r, colour, opacity=1.0):
        self.draw(lambda px, py: math.hypot(px - cx, py - cy) - r, (cx - r, cy - r, cx + r, cy + r), colour, opacity)

    def ring(self, cx, cy, r, width, colour, opacity=1.0):
        half = width / 2.0
        self.draw(lambda px, py: abs(math.hypot(px - cx, py - cy) - r) - half,
                  (cx - r - half, cy - r - half, cx + r + half, cy + r + half), colour, opacity)

    def line(self, ax, ay, bx, by, width, colour, opacity=1.0):
        half = width / 2.0
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy or 1.0

        def distance(px, py):
            t = clamp(((px - ax) * dx + (py - ay) * dy) / length2)
            return math.hypot(px - (ax + t * dx), py - (ay + t * dy)) - half

        self.draw(distance, (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half),
                  colour, opacity)

    def rounded_rect(self, x0, y0, x1, y1, radius, colour, opacity=1.0):
        cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
        hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius

        def distance(px, py):
            qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
            outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
            return outside + min(max(qx, qy), 0.0) - radius

        self.draw(distance, (x0, y0, x1, y1), colour, opacity)

    def rounded_mask(self, radius):
        """Makes the corners outside a rounded rectangle of the whole canvas transparent."""
        w, h = self.width, self.height
        hx, hy = w / 2.0 - radius, h / 2.0 - radius
        for y in range(h):
            for x in range(w):
                qx, qy = abs(x + 0.5 - w / 2.0) - hx, abs(y + 0.5 - h / 2.0) - hy
                d = math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius
                self.alpha[y][x] = clamp(0.5 - d)

    def bgr_rows_bottom_up(self, with_alpha):
        for y in reversed(range(self.height)):
            row = bytearray()
            for x in range(self.width):
                r, g, b = (int(round(clamp(c, 0.0, 255.0))) for c in self.pixels[y][x])
                row += bytes((b, g, r))
                if with_alpha:
                    row.append(int(round(self.alpha[y][x] * 255)))
            yield bytes(row)


NAVY = hex_colour("0a1f3c")
BLUE = hex_colour("1d4e89")
SKY = hex_colour("6fb1e8")
WHITE = hex_colour("ffffff")
AMBER = hex_colour("f2a541")


def gateway_mark(canvas, cx, cy, scale, colour, opacity):
    """The product mark: a gateway node joined to three field devices and a controller."""
    hub = (cx, cy)
    leaves = [(cx - 1.6 * scale, cy - 1.1 * scale), (cx - 1.8 * scale, cy + 0.2 * scale),
              (cx - 1.3 * scale, cy + 1.4 * scale), (cx + 1.7 * scale, cy - 0.1 * scale)]
    for lx, ly in leaves:
        canvas.line(hub[0], hub[1], lx, ly, max(1.0, 0.14 * scale), colour, opacity)
    for lx, ly in leaves[:3]:
        canvas.circle(lx, ly, 0.32 * scale, colour, opacity)
    px, py = leaves[3]
    canvas.rounded_rect(px - 0.38 * scale, py - 0.38 * scale, px + 0.38 * scale, py + 0.38 * scale,
                        0.1 * scale, colour, opacity)
    canvas.circle(hub[0], hub[1], 0.62 * scale, colour, opacity)
    canvas.circle(hub[0], hub[1], 0.3 * scale, AMBER, opacity)


def splash():
    w, h = SPLASH_WIDTH, SPLASH_HEIGHT
    canvas = Canvas(w, h, NAVY)

    def background(x, y):
        t = clamp(0.55 * y / h + 0.45 * x / w)
        base = mix(NAVY, BLUE, t)
        glow = clamp(1.0 - math.hypot(x - MARK_X * w, y - MARK_Y * h) / (0.55 * w)) ** 2
        return mix(base, SKY, 0.28 * glow)

    canvas.shade(background)
    # Faint rings behind the mark.
    for r in (66, 98, 130):
        canvas.ring(MARK_X * w, MARK_Y * h, r, 1.2, SKY, 0.16)
    gateway_mark(canvas, MARK_X * w, MARK_Y * h, 30, WHITE, 0.92)
    # Accent rule above the lower band (room for the texts and buttons), the band slightly darker.
    band_top = h - BAND_HEIGHT
    canvas.draw(lambda px, py: band_top - py, (0, band_top, w, h), NAVY, 0.55)
    canvas.draw(lambda px, py: max(band_top - 3 - py, py - band_top), (0, band_top - 3, w, band_top), AMBER, 1.0)
    return canvas


def icon(size):
    canvas = Canvas(size, size, BLUE)
    canvas.shade(lambda x, y: mix(SKY, BLUE, clamp(0.25 + 0.75 * y / size)))
    canvas.rounded_mask(size * 0.18)
    gateway_mark(canvas, size * 0.5, size * 0.5, size * 0.19, WHITE, 1.0)
    return canvas


def write_bmp(path, canvas):
    rows = list(canvas.bgr_rows_bottom_up(False))
    stride = (canvas.width * 3 + 3) & ~3
    pixels = b"".join(row + b"\0" * (stride - len(row)) for row in rows)
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


def icon_image(canvas):
    size = canvas.width
    xor = b"".join(canvas.bgr_rows_bottom_up(True))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if canvas.alpha[y][x] < 0.5:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def write_ico(path, canvases):
    images = [icon_image(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for canvas, data in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(bytes(directory) + b"".join(images))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "splash.bmp"), splash())
    write_ico(os.path.join(out, "aubrel.ico"), [icon(s) for s in ICON_SIZES])


if __name__ == "__main__":
    main()
