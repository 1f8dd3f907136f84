#!/usr/bin/env python3
"""Writes icon and cursor files as raw group and image resources with image ids of our own choosing.

ICON and CURSOR statements number their images from 1 in every resource script, so two scripts
linked into one program would give two images the same id and the linker would keep one (or fail).
The toolkit's pictures therefore go in as raw resources whose image ids are numbered from a base
of their own.

usage: split_pictures.py OUT_RC FIRST_IMAGE_ID GROUP_ID=FILE ...
       -> OUT_RC, and beside it one .bin file per group and per image
"""
import os
import struct
import sys

RT_CURSOR, RT_ICON, RT_GROUP_CURSOR, RT_GROUP_ICON = 1, 3, 12, 14
ICON_FILE, CURSOR_FILE = 1, 2


def split(path, group_id, next_image_id, out_dir, lines):
    data = open(path, 'rb').read()
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind not in (ICON_FILE, CURSOR_FILE) or count == 0:
        sys.exit('%s: not an icon or cursor file' % path)
    directory = struct.pack('<HHH', 0, kind, count)
    for index in range(count):
        width, height, colours, zero, field1, field2, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * index)
        if offset + size > len(data) or size < 16:
            sys.exit('%s: image %d lies outside the file' % (path, index))
        image = data[offset:offset + size]
        image_id = next_image_id + index
        if kind == ICON_FILE:
            entry = struct.pack('<BBBBHHIH', width, height, colours, zero, field1, field2, size, image_id)
        else:
            # A cursor file's entry holds the hot spot; the resource puts it before the image and
            # describes the image by its own header (width, doubled height, planes, bits).
            image = struct.pack('<HH', field1, field2) + image
            _, dib_width, dib_height, planes, bits = struct.unpack_from('<IiiHH', data, offset)
            entry = struct.pack('<HHHHIH', dib_width, dib_height, planes, bits, len(image), image_id)
        image_path = os.path.join(out_dir, 'picture_%d_%d.bin' % (group_id, index))
        open(image_path, 'wb').write(image)
        lines.append('%d %d "%s"' % (image_id, RT_ICON if kind == ICON_FILE else RT_CURSOR, image_path))
        directory += entry
    group_path = os.path.join(out_dir, 'picture_%d.bin' % group_id)
    open(group_path, 'wb').write(directory)
    lines.append('%d %d "%s"' % (group_id, RT_GROUP_ICON if kind == ICON_FILE else RT_GROUP_CURSOR, group_path))
    return next_image_id + count


def main():
    out_rc, next_image_id = sys.argv[1], int(sys.argv[2], 0)
    out_dir = os.path.dirname(os.path.abspath(out_rc))
    os.makedirs(out_dir, exist_ok=True)
    lines = []
    for argument in sys.argv[3:]:
        group_id, path = argument.split('=', 1)
        next_image_id = split(path, int(group_id), next_image_id, out_dir, lines)
    open(out_rc, 'w').write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
