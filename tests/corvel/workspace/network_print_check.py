#!/usr/bin/env python3
"""Reads back the network view that test_corvel_network_view printed through the test prefix's printer.

Usage: network_print_check.py DOCUMENT.ps PICTURE.png

Ghostscript draws the PostScript document. The check fails unless it has one page and that page carries the
view's blue connection lines and, around them, the node pictures (ink across more than half the page's width).
The page is kept as PICTURE.png.
"""
import os
import shutil
import subprocess
import sys
import tempfile

DPI = 100


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    document, picture = sys.argv[1:]
    if not os.path.isfile(document):
        raise SystemExit(document + " is missing: test_corvel_network_view did not print the view")
    with tempfile.TemporaryDirectory(prefix="network-print-") as scratch:
        command = ["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r%d" % DPI,
                   "-dGraphicsAlphaBits=4", "-sOutputFile=" + os.path.join(scratch, "page%d.png"), document]
        result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if result.returncode != 0:
            raise SystemExit("ghostscript could not read the document:\n" + result.stdout)
        pages = sorted(name for name in os.listdir(scratch) if name.endswith(".png"))
        failures = []
        if len(pages) != 1:
            failures.append("%d pages drawn, 1 expected" % len(pages))
        if pages:
            first = os.path.join(scratch, "page1.png")
            # Blue pixels, give or take the scaling's blending: the bus and the drop lines.
            result = subprocess.run(["convert", first, "-fuzz", "35%", "-fill", "black", "+opaque", "rgb(0,0,255)",
                                     "-fill", "white", "+opaque", "black", "-format", "%[fx:mean*w*h]", "info:"],
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, check=True)
            blue = int(float(result.stdout.strip() or 0))
            if blue < 100:
                failures.append("page 1 shows %d blue pixels: no connection lines" % blue)
            result = subprocess.run(["convert", first, "-trim", "-format", "%w %W", "info:"],
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, check=True)
            inked, page_width = (int(value) for value in result.stdout.split())
            # The picture is fitted into half-inch margins: it spans more than half the width.
            if inked < 0.5 * page_width:
                failures.append("page 1 is inked over %d of %d pixels' width only" % (inked, page_width))
            os.makedirs(os.path.dirname(os.path.abspath(picture)), exist_ok=True)
            shutil.copyfile(first, picture)
    print("\n".join(failures) if failures else "1 page with its connection lines")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
