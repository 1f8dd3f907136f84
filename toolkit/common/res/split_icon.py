#!/usr/bin/env python3
"""Writes an icon file as raw group and image resources with image ids of our own choosing.

An ICON statement numbers its images from 1 in every resource script, so two scripts linked into
one program would give two images the same id and the linker would keep only one. The toolkit's
icons therefore go in as raw resources whose image ids start at the icon's own id.

usage: split_icon.py ICON_FILE GROUP_ID OUT_DIR  -> OUT_DIR/icon_<GROUP_ID>.rc and its .bin files
"""
import os
import struct
import sys

RT_ICON = 3
RT_GROUP_ICON = 14


def main():
    source, group_id, out_dir = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    os.makedirs(out_dir, exist_ok=True)
    data = open(source, 'rb').read()
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if reserved != 0 or kind != 1 or count == 0:
        sys.exit('%s: not an icon file' % source)
    directory = struct.pack('<HHH', 0, 1, count)
    lines = []
    for index in range(count):
        width, height, colours, zero, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * index)
        if offset + size > len(data):
            sys.exit('%s: image %d lies outside the file' % (source, index))
        image_id = group_id + index
        image_path = os.path.join(out_dir, 'icon_%d_%d.bin' % (group_id, index))
        open(image_path, 'wb').write(data[offset:offset + size])
        directory += struct.pack('<BBBBHHIH', width, height, colours, zero, planes, bits, size, image_id)
        lines.append('%d %d "%s"' % (image_id, RT_ICON, image_path))
    group_path = os.path.join(out_dir, 'icon_%d.bin' % group_id)
    open(group_path, 'wb').write(directory)
    lines.append('%d %d "%s"' % (group_id, RT_GROUP_ICON, group_path))
    open(os.path.join(out_dir, 'icon_%d.rc' % group_id), 'w').write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
