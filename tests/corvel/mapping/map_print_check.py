#!/usr/bin/env python3
"""Reads back the memory map that test_corvel_map_views printed through the test prefix's printer.

Usage: map_print_check.py DOCUMENT.ps EXPECTED PICTURE.png

Ghostscript draws every page of the PostScript document and reads its text. The check fails unless
the document has the pages it announces, every page carries ink across the width and height of the
printed table, and each text of EXPECTED (lines "<page>\\t<text>") stands on its page as whole words.
Page 1 is kept as PICTURE.png.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

# Landscape pages turned upright, as they come out of the printer.
UPRIGHT = ["-c", "<</Orientation 3>> setpagedevice", "-f"]
DPI = 100


def ghostscript(device, output, document, *options):
    command = ["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=" + device,
               "-sOutputFile=" + output, *options, *UPRIGHT, document]
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if result.returncode != 0:
        raise SystemExit("ghostscript could not read the document:\n" + result.stdout)


def announced_pages(document):
    with open(document, "rb") as stream:
        found = re.findall(rb"^%%Pages: (\d+)\s*$", stream.read(), re.MULTILINE)
    if not found:
        raise SystemExit("the document announces no page count")
    return int(found[-1])


def ink_box(picture):
    """The width and height of the inked part of the picture, and the picture's size."""
    result = subprocess.run(["convert", picture, "-trim", "-format", "%w %h %W %H", "info:"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, check=True)
    width, height, page_width, page_height = (int(value) for value in result.stdout.split())
    return width, height, page_width, page_height


def main():
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    document, expected_file, picture = sys.argv[1:]
    for path in (document, expected_file):
        if not os.path.isfile(path):
            raise SystemExit(path + " is missing: test_corvel_map_views did not print the map")
    start = time.monotonic()
    failures = []
    pages = announced_pages(document)
    with tempfile.TemporaryDirectory(prefix="map-print-") as scratch:
        ghostscript("png16m", os.path.join(scratch, "page%d.png"), document, "-r%d" % DPI,
                    "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4")
        ghostscript("txtwrite", os.path.join(scratch, "page%d.txt"), document)
        drawn = len([name for name in os.listdir(scratch) if name.endswith(".png")])
        if drawn != pages:
            failures.append("%d pages drawn, %d announced" % (drawn, pages))

        texts = {}
        for page in range(1, drawn + 1):
            width, height, page_width, page_height = ink_box(os.path.join(scratch, "page%d.png" % page))
            if page_width <= page_height:
                failures.append("page %d is not landscape (%dx%d)" % (page, page_width, page_height))
            # The table runs from margin to margin: half an inch on each side of the printable area.
            if width < 0.75 * page_width or height < 0.75 * page_height:
                failures.append("page %d is inked over %dx%d of %dx%d only" % (page, width, height, page_width, page_height))
            with open(os.path.join(scratch, "page%d.txt" % page), encoding="utf-8", errors="replace") as stream:
                texts[page] = stream.read()

        with open(expected_file, encoding="utf-8") as stream:
            expected = [line.rstrip("\n").split("\t", 1) for line in stream if line.strip()]
        for page, text in expected:
            # The whole text, not a part of a longer word.
            cell = re.compile(r"(?<!\S)" + re.escape(text) + r"(?!\S)")
            if not cell.search(texts.get(int(page), "")):
                failures.append("page %s does not show %r" % (page, text))

        os.makedirs(os.path.dirname(os.path.abspath(picture)), exist_ok=True)
        if drawn > 0:
            shutil.copyfile(os.path.join(scratch, "page1.png"), picture)

    print("%d pages, %d texts checked in %.2f s" % (pages, len(expected), time.monotonic() - start))
    if failures:
        print("\n".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
