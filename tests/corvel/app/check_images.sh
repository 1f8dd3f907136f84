#!/usr/bin/env bash
# Draws Corvel's generated bitmaps and cursor again and checks that the files kept in the
# resources are the same.
# Usage: check_images.sh <scratch folder>
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
RES=$ROOT/corvel/app/res
OUT=$1
rm -rf "$OUT"
python3 "$RES/make_images.py" "$OUT"
for name in diagnostic_tree.bmp diagnostic_toolbar.bmp drag_tag_cursor.bin; do
  if ! cmp -s "$RES/$name" "$OUT/$name"; then
    echo "check_images: $name differs from a new run of make_images.py" >&2
    exit 1
  fi
done
