#!/usr/bin/env python3
"""Draws Corvel's bitmaps, icons and cursors (network nodes, toolbars, pane icon, device library tree, drag
cursor, connection strip).

Run from anywhere: writes the .bmp and .ico files beside this script.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right):
            self.put(x, top, colour)
            self.put(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.put(left, y, colour)
            self.put(right - 1, y, colour)

    def bevel(self, left, top, right, bottom, light, dark):
        for x in range(left, right):
            self.put(x, top, light)
            self.put(x, bottom - 1, dark)
        for y in range(top, bottom):
            self.put(left, y, light)
            self.put(right - 1, y, dark)

    def gradient(self, left, top, right, bottom, upper, lower):
        span = max(1, bottom - top - 1)
        for y in range(top, bottom):
            t = (y - top) / span
            colour = tuple(int(upper[i] + (lower[i] - upper[i]) * t) for i in range(3))
            for x in range(left, right):
                self.put(x, y, colour)

    def art(self, left, top, rows, palette):
        for dy, row in enumerate(rows):
            for dx, key in enumerate(row):
                if key in palette:
                    self.put(left + dx, top + dy, palette[key])

    def bmp_bytes(self):
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for (r, g, b) in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            body += line
        header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
        return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 54) + header + bytes(body)

    def save_bmp(self, name):
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(self.bmp_bytes())

    def icon_image(self, transparent):
        """One 32-bit image with an alpha channel and its AND mask, as icon and cursor files hold it."""
        body = bytearray()
        for row in reversed(self.pixels):
            for (r, g, b) in row:
                body += bytes((b, g, r, 0 if (r, g, b) == transparent else 255))
        mask_stride = ((self.width + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(self.pixels):
            bits = bytearray(mask_stride)
            for x, colour in enumerate(row):
                if colour == transparent:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, self.width, self.height * 2, 1, 32, 0, len(body) + len(mask),
                             0, 0, 0, 0)
        return header + bytes(body) + bytes(mask)

    def save_ico(self, name, transparent):
        image = self.icon_image(transparent)
        directory = struct.pack("<HHH", 0, 1, 1)
        entry = struct.pack("<BBBBHHII", self.width, self.height, 0, 0, 1, 32, len(image), 6 + 16)
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(directory + entry + image)


WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
FACE = (192, 192, 192)
OUTLINE = (64, 72, 84)
STEEL_LIGHT = (222, 226, 232)
STEEL = (186, 192, 202)
STEEL_DARK = (120, 128, 140)
NAVY = (24, 52, 104)
BLUE = (40, 96, 184)
GREEN = (30, 180, 60)
AMBER = (240, 170, 20)
RED = (210, 40, 40)
GOLD = (200, 170, 60)
LCD = (150, 200, 150)
LCD_TEXT = (40, 80, 40)


def jack(c, left, top):
    """An RJ45 socket, 8 x 6."""
    c.fill(left, top, left + 8, top + 6, (40, 40, 44))
    c.fill(left + 2, top + 1, left + 6, top + 2, GOLD)
    c.fill(left + 3, top + 4, left + 5, top + 6, (90, 90, 96))


def gateway():
    c = Canvas(48, 32, WHITE)
    c.fill(6, 30, 42, 32, (160, 164, 170))  # DIN rail
    c.gradient(8, 1, 40, 30, STEEL_LIGHT, STEEL)
    c.frame(8, 1, 40, 30, OUTLINE)
    c.fill(9, 2, 39, 8, NAVY)
    c.fill(11, 4, 26, 6, (200, 214, 240))  # name plate
    for i, colour in enumerate((GREEN, GREEN, AMBER)):
        c.fill(30 + i * 3, 4, 32 + i * 3, 6, colour)
    c.fill(10, 10, 38, 11, STEEL_DARK)
    jack(c, 12, 13)
    jack(c, 27, 13)
    c.fill(13, 20, 15, 21, GREEN)
    c.fill(28, 20, 30, 21, GREEN)
    c.fill(12, 23, 36, 28, (236, 238, 242))
    for x in range(13, 35, 3):
        c.fill(x, 24, x + 2, 27, STEEL_DARK)  # terminal screws
    return c


def ied():
    c = Canvas(48, 32, WHITE)
    c.gradient(5, 1, 43, 31, (232, 228, 214), (196, 190, 170))
    c.frame(5, 1, 43, 31, OUTLINE)
    c.fill(8, 4, 30, 14, (60, 70, 60))
    c.fill(9, 5, 29, 13, LCD)
    for y in (7, 10):
        c.fill(11, y, 26, y + 1, LCD_TEXT)
    for i, colour in enumerate((GREEN, RED, AMBER)):
        c.fill(34, 5 + i * 4, 37, 7 + i * 4, colour)
    for i in range(4):
        c.fill(9 + i * 6, 18, 13 + i * 6, 21, (90, 96, 110))
        c.put(9 + i * 6, 18, (150, 156, 170))
    c.fill(8, 24, 40, 28, (214, 208, 190))
    c.frame(8, 24, 40, 28, (150, 144, 126))
    return c


def ied_selected():
    """The IED picture of the selected device: the device on a light blue square framed in the selection blue."""
    c = ied()
    for row in c.pixels:
        for x, colour in enumerate(row):
            if colour == WHITE:
                row[x] = (204, 226, 250)
    c.frame(0, 0, 48, 32, BLUE)
    c.frame(1, 1, 47, 31, BLUE)
    return c


def rack(modules, width):
    """A PLC chassis of the given number of modules."""
    c = Canvas(48, 32, WHITE)
    left = (48 - width) // 2
    c.fill(left, 1, left + width, 31, (70, 74, 82))
    c.frame(left, 1, left + width, 31, BLACK)
    slot = (width - 2) // modules
    for i in range(modules):
        x = left + 1 + i * slot
        c.gradient(x + 1, 3, x + slot - 1, 29, (214, 218, 226), (164, 170, 182))
        c.fill(x + 1, 3, x + slot - 1, 6, BLUE if i else RED)
        c.put(x + 2, 8, GREEN)
        c.put(x + 2, 10, GREEN if i % 2 else AMBER)
        c.fill(x + 2, 22, x + slot - 2, 27, (110, 116, 128))
    return c


def ethernet_device():
    c = Canvas(48, 32, WHITE)
    c.gradient(6, 3, 42, 29, (210, 224, 240), (150, 176, 210))
    c.frame(6, 3, 42, 29, NAVY)
    c.fill(7, 4, 41, 9, NAVY)
    c.fill(9, 6, 24, 7, (200, 214, 240))
    c.fill(35, 5, 37, 8, GREEN)
    c.fill(38, 5, 40, 8, GREEN)
    jack(c, 11, 14)
    jack(c, 22, 14)
    jack(c, 33 - 2, 14)
    c.fill(10, 23, 38, 26, (120, 140, 170))
    return c


# 16 x 15 toolbar pictures on the toolbar's grey.
TOOL_PALETTE = {
    "k": BLACK, "w": WHITE, "g": (128, 128, 128), "l": (224, 224, 224), "y": (248, 216, 96), "o": (200, 150, 40),
    "b": (40, 80, 170), "c": (120, 160, 220), "r": (190, 40, 40), "s": (96, 96, 96), "d": (60, 60, 60),
}
TOOL_PICTURES = {
    "new": [
        "                ",
        "  kkkkkkkk      ",
        "  kwwwwwwkk     ",
        "  kwwwwwwkwk    ",
        "  kwwwwwwkkkk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kkkkkkkkkkk   ",
        "                ",
    ],
    "open": [
        "                ",
        "         kkk    ",
        "        k   k k ",
        "             kk ",
        " kkk        kkk ",
        "kyyykkkkkkk     ",
        "kyyyyyyyyyk     ",
        "kyyyykkkkkkkkkk ",
        "kyyykoooooooook ",
        "kyykoooooooook  ",
        "kykoooooooook   ",
        "kkoooooooook    ",
        "kkkkkkkkkkk     ",
        "                ",
        "                ",
    ],
    "save": [
        "                ",
        " kkkkkkkkkkkkkk ",
        " kbkwwwwwwwwkbk ",
        " kbkwwwwwwwwkbk ",
        " kbkwwwwwwwwkbk ",
        " kbkwwwwwwwwkbk ",
        " kbbkkkkkkkkbbk ",
        " kbbbbbbbbbbbbk ",
        " kbbkkkkkkkkbbk ",
        " kbbkllkkllkbbk ",
        " kbbkllkkllkbbk ",
        " kbbkllkkllkbbk ",
        "  kkkkkkkkkkkkk ",
        "                ",
        "                ",
    ],
    "cut": [
        "                ",
        "    k     k     ",
        "    k     k     ",
        "    k     k     ",
        "    kk   kk     ",
        "     k   k      ",
        "     kk kk      ",
        "      kkk       ",
        "       k        ",
        "      rkr       ",
        "   rrr   rrr    ",
        "  r  r   r  r   ",
        "  r  r   r  r   ",
        "   rr     rr    ",
        "                ",
    ],
    "copy": [
        "                ",
        " kkkkkk         ",
        " kwwwwkk        ",
        " kwkkwkwk       ",
        " kwwwwkkkkkk    ",
        " kwkkkkwwwwkk   ",
        " kwwwwkwkkwkwk  ",
        " kwkkkkwwwwkkkk ",
        " kwwwwkwkkkkkwk ",
        " kkkkkkwwwwwwwk ",
        "      kwkkkkkwk ",
        "      kwwwwwwwk ",
        "      kkkkkkkkk ",
        "                ",
        "                ",
    ],
    "paste": [
        "                ",
        "    kkkkk       ",
        " kkkkyyykkkk    ",
        " kooksssskook   ",
        " kookkkkkkook   ",
        " koooooooooook  ",
        " koooookkkkkkk  ",
        " kooooowwwwwkwk ",
        " kooooowkkkwkkk ",
        " kooooowwwwwwwk ",
        " kooooowkkkkkwk ",
        " kooooowwwwwwwk ",
        "  kkkkkkkkkkkkk ",
        "                ",
        "                ",
    ],
    "about": [
        "                ",
        "     bbbbbb     ",
        "   bbccccccbb   ",
        "  bccccwwccccb  ",
        "  bccccwwccccb  ",
        " bcccccccccccb  ",
        " bccccwwwccccb  ",
        " bcccccwwccccb  ",
        " bcccccwwccccb  ",
        "  bccccwwccccb  ",
        "  bcccwwwwcccb  ",
        "   bbccccccbb   ",
        "     bbbbbb     ",
        "                ",
        "                ",
    ],
}


def toolbar(names):
    c = Canvas(16 * len(names), 15, FACE)
    for i, name in enumerate(names):
        c.art(16 * i, 0, TOOL_PICTURES[name], TOOL_PALETTE)
    return c


PANE_ICON = [
    "                ",
    " kkkkkk         ",
    " kyyyyk         ",
    " kkkkkkkkkkkk   ",
    " kyyyyyyyyyyk   ",
    " kyyyyyyyyyyk   ",
    " kyykkkkkkkkkkk ",
    " kyykcccccccccbk",
    " kykcccccccccbk ",
    " kykcccccccccbk ",
    " kkcccccccccbk  ",
    " kkccccccccbk   ",
    " kkkkkkkkkkkk   ",
    "                ",
    "                ",
    "                ",
]


def pane_icon():
    c = Canvas(16, 16, (255, 0, 255))
    c.art(0, 0, PANE_ICON, TOOL_PALETTE)
    return c


# The device library tree's pictures, 16 x 16 on the mask colour: 0 a folder, 1 an EtherNet/IP device, 2 an SCL
# file, 3 a missing SCL file, 8 an IED; 4 to 7 are not used.
TREE_MASK = (255, 0, 255)
TREE_PALETTE = dict(TOOL_PALETTE, **{
    "n": NAVY, "e": (150, 176, 210), "j": (40, 40, 44), "u": GOLD, "m": (232, 228, 214), "v": LCD,
    "t": LCD_TEXT, "x": RED, "G": GREEN, "a": AMBER, "h": (180, 180, 180), "p": (236, 236, 236),
})
TREE_PICTURES = {
    0: [
        "                ",
        "                ",
        " oooooo         ",
        "oyyyyyyo        ",
        "oyyyyyyoooooooo ",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oyyyyyyyyyyyyyyo",
        "oooooooooooooooo",
        "                ",
        "                ",
    ],
    1: [
        "                ",
        "                ",
        " nnnnnnnnnnnnnn ",
        " nnnnnnnnnnGnGn ",
        " neeeeeeeeeeeen ",
        " neeeeeeeeeeeen ",
        " nejjjjeejjjjen ",
        " nejuujeejuujen ",
        " nejjjjeejjjjen ",
        " nejjjjeejjjjen ",
        " neeeeeeeeeeeen ",
        " nnnnnnnnnnnnnn ",
        "    k      k    ",
        "  kkkkkkkkkkkk  ",
        "                ",
        "                ",
    ],
    2: [
        "  kkkkkkkkk     ",
        "  kwwwwwwwkk    ",
        "  kwwwwwwwkwk   ",
        "  kwwwwwwwkkkk  ",
        "  kwwwwwwwwwwk  ",
        "  kwbbwwwwbbwk  ",
        "  kwbwwbwwwbwk  ",
        "  kbwwbwwwwwbk  ",
        "  kwbwbwwwwbwk  ",
        "  kwbbwwwwbbwk  ",
        "  kwwwwwwwwwwk  ",
        "  kwccccccccwk  ",
        "  kwwwwwwwwwwk  ",
        "  kwccccccwwwk  ",
        "  kwwwwwwwwwwk  ",
        "  kkkkkkkkkkkk  ",
    ],
    3: [
        "  ggggggggg     ",
        "  gpppppppgg    ",
        "  gpppppppgpg   ",
        "  gpppppppgggg  ",
        "  gpppppppppph  ",
        "  gphhpppphhph  ",
        "  xxphhpppxxph  ",
        "  gxxpphhxxpph  ",
        "  gpxxpppxxhph  ",
        "  gphxxpxxhhph  ",
        "  gpppxxxppppg  ",
        "  gppxxpxxpppg  ",
        "  gpxxppppxxpg  ",
        "  gxxppppppxxg  ",
        "  xxppppppppxx  ",
        "  ggggggggggggg ",
    ],
    8: [
        "                ",
        " kkkkkkkkkkkkkk ",
        " kmmmmmmmmmmmmk ",
        " kmkkkkkkkmmGmk ",
        " kmkvvvvvkmmmmk ",
        " kmkvttvvkmmxmk ",
        " kmkvvvvvkmmmmk ",
        " kmkvtttvkmmamk ",
        " kmkkkkkkkmmmmk ",
        " kmmmmmmmmmmmmk ",
        " kmsmsmsmsmsmmk ",
        " kmmmmmmmmmmmmk ",
        " kmhhhhhhhhhhmk ",
        " kmmmmmmmmmmmmk ",
        " kkkkkkkkkkkkkk ",
        "                ",
    ],
}
TREE_IMAGE_COUNT = 9


def tree_images():
    c = Canvas(16 * TREE_IMAGE_COUNT, 16, TREE_MASK)
    for index, rows in TREE_PICTURES.items():
        c.art(16 * index, 0, rows, TREE_PALETTE)
    return c


# The device view's toolbar: its one button opens the gateway's properties (a card with a pen).
TOOL_PICTURES["properties"] = [
    "                ",
    " kkkkkkkkkkk    ",
    " kwwwwwwwwwk    ",
    " kwbbbwwwwwk    ",
    " kwwwwwwwwwk r  ",
    " kwkkkkkkwwkrrr ",
    " kwwwwwwwwwrrr  ",
    " kwkkkkkwwrrrk  ",
    " kwwwwwwwrrrwk  ",
    " kwkkkkwwsrwwk  ",
    " kwwwwwwsswwwk  ",
    " kwwwwwwwwwwwk  ",
    " kkkkkkkkkkkkk  ",
    "                ",
    "                ",
]

def slider_knob():
    c = Canvas(30, 10, FACE)
    c.gradient(0, 0, 30, 10, (240, 240, 240), (170, 170, 170))
    c.bevel(0, 0, 30, 10, WHITE, (96, 96, 96))
    return c


def slider_channel():
    c = Canvas(28, 46, WHITE)
    c.frame(0, 0, 28, 46, (160, 160, 160))
    return c


GLYPHS = {
    "E": ["kkkk", "k...", "kkk.", "k...", "kkkk"],
    "1": [".k.", "kk.", ".k.", ".k.", "kkk"],
    "2": ["kkk.", "...k", ".kk.", "k...", "kkkk"],
}


def label(c, left, top, text, colour):
    for ch in text:
        rows = GLYPHS[ch]
        c.art(left, top, rows, {"k": colour})
        left += len(rows[0]) + 1


def bridge_module(ports):
    """The gateway module seen from the front, with its Ethernet ports E1 (and E2) enlarged."""
    c = Canvas(200, 80, WHITE)
    c.gradient(1, 1, 199, 79, (250, 251, 253), (218, 224, 234))
    c.frame(0, 0, 200, 80, STEEL_DARK)
    c.fill(10, 72, 190, 76, (150, 154, 160))  # DIN rail
    c.gradient(24, 4, 176, 72, STEEL_LIGHT, STEEL)
    c.frame(24, 4, 176, 72, OUTLINE)
    c.fill(25, 5, 175, 18, NAVY)
    c.fill(30, 9, 90, 13, (200, 214, 240))  # name plate
    for i, colour in enumerate((GREEN, GREEN, AMBER, GREEN)):
        c.fill(140 + i * 8, 9, 145 + i * 8, 13, colour)
    c.fill(26, 22, 174, 23, STEEL_DARK)
    for i in range(ports):
        left = 44 + i * 64
        c.fill(left - 4, 28, left + 36, 60, (214, 218, 226))
        c.frame(left - 4, 28, left + 36, 60, STEEL_DARK)
        c.fill(left, 34, left + 32, 54, (40, 40, 44))
        c.fill(left + 6, 37, left + 26, 40, GOLD)
        c.fill(left + 11, 48, left + 21, 54, (90, 90, 96))
        c.fill(left, 56, left + 4, 58, GREEN)
        c.fill(left + 28, 56, left + 32, 58, AMBER)
        label(c, left + 11, 62, "E%d" % (i + 1), NAVY)
    if ports == 1:
        c.fill(112, 30, 164, 58, (236, 238, 242))
        c.frame(112, 30, 164, 58, STEEL_DARK)
        for x in range(116, 160, 8):
            c.fill(x, 38, x + 5, 50, STEEL_DARK)  # terminal screws
    return c


def main():
    gateway().save_bmp("gateway.bmp")
    ied().save_bmp("ied.bmp")
    ied_selected().save_bmp("ied_selected.bmp")
    rack(4, 26).save_bmp("compactlogix.bmp")
    rack(7, 44).save_bmp("controllogix.bmp")
    ethernet_device().save_bmp("ethernet_device.bmp")
    toolbar(["new", "open", "save", "cut", "copy", "paste", "about"]).save_bmp("toolbar.bmp")
    toolbar(["new", "open", "save", "cut", "copy", "paste", "about"]).save_bmp("toolbar_hc.bmp")
    toolbar(["new", "open", "save", "cut", "copy", "paste", "about"]).save_bmp("menu_images.bmp")
    pane_icon().save_ico("device_view.ico", (255, 0, 255))
    tree_images().save_bmp("device_tree.bmp")
    toolbar(["properties"]).save_bmp("device_view_toolbar.bmp")
    slider_knob().save_bmp("slider_knob.bmp")
    slider_channel().save_bmp("slider_channel.bmp")
    bridge_module(2).save_bmp("bridge_two_ports.bmp")
    bridge_module(1).save_bmp("bridge_one_port.bmp")


if __name__ == "__main__":
    main()
