#!/usr/bin/env bash
# Zip interoperability with the Linux tools, run by ctest:
#   unzip-test DIR    every archive in DIR passes `unzip -t`
#   python-test DIR   every archive in DIR passes Python's zipfile (testzip, names,
#                     contents against DIR/expected/<archive>/, times of file.zip)
#   make-foreign DIR  archives made with zip and Python's zipfile, and DIR/manifest.txt
#                     describing their members, for the reader's test
set -euo pipefail

command=${1:?command}
dir=${2:?folder}

case $command in
unzip-test)
  shopt -s nullglob
  archives=("$dir"/*.zip)
  [ ${#archives[@]} -gt 0 ] || { echo "no archives in $dir" >&2; exit 1; }
  for archive in "${archives[@]}"; do
    unzip -tq "$archive"
  done
  echo "${#archives[@]} passed, 0 failed"
  ;;

python-test)
  python3 - "$dir" <<'PY'
import os, struct, sys, time, zipfile

folder = sys.argv[1]
modified = int(open(os.path.join(folder, "file-mtime.txt")).read())
archives = sorted(f for f in os.listdir(folder) if f.endswith(".zip"))
assert archives, "no archives in " + folder

def expected_members(root):
    members = {}
    for path, folders, files in os.walk(root):
        relative = os.path.relpath(path, root).replace(os.sep, "/")
        prefix = "" if relative == "." else relative + "/"
        for name in files:
            with open(os.path.join(path, name), "rb") as f:
                members[prefix + name] = f.read()
        if prefix and not folders and not files:
            members[prefix] = None
    return members

def time_field(extra):
    while len(extra) >= 4:
        tag, size = struct.unpack("<HH", extra[:4])
        if tag == 0x5455 and size >= 5 and extra[4] & 1:
            return struct.unpack("<I", extra[5:9])[0]
        extra = extra[4 + size:]
    return None

for archive in archives:
    stem = archive[:-4]
    with zipfile.ZipFile(os.path.join(folder, archive)) as z:
        bad = z.testzip()
        assert bad is None, f"{archive}: member {bad} is damaged"
        expected = expected_members(os.path.join(folder, "expected", stem))
        assert sorted(z.namelist()) == sorted(expected), f"{archive}: {sorted(z.namelist())} != {sorted(expected)}"
        for info in z.infolist():
            if info.is_dir():
                continue
            assert z.read(info) == expected[info.filename], f"{archive}: {info.filename} differs"
            assert time_field(info.extra) is not None, f"{archive}: {info.filename} has no UT field"
            if stem == "file":
                assert time_field(info.extra) == modified, f"{archive}: {info.filename} UT time"
                assert info.date_time == time.localtime(modified)[:6], f"{archive}: {info.filename} DOS time"
print(f"{len(archives)} passed, 0 failed")
PY
  ;;

make-foreign)
  rm -rf "$dir"
  mkdir -p "$dir/src/sub"
  python3 - "$dir" <<'PY'
import os, random, sys, time, zipfile, zlib

folder = sys.argv[1]
source = os.path.join(folder, "src")
modified = 1700000000  # an even second: DOS times keep two-second steps
noise = random.Random(5)
files = {
    "text.txt": b"".join(b"line %d of a text made by the test script\n" % i for i in range(2000)),
    "small.txt": b"small file\n",
    "empty.txt": b"",
    "sub/noise.bin": bytes(noise.getrandbits(8) for _ in range(20000)),
}
for name, data in files.items():
    path = os.path.join(source, name)
    with open(path, "wb") as f:
        f.write(data)
    os.utime(path, (modified + 100, modified))

date_time = time.localtime(modified)[:6]

def write_members(z, method):
    for name, data in files.items():
        z.writestr(zipfile.ZipInfo(name, date_time), data, compress_type=method)

for name, method in (("python-stored.zip", zipfile.ZIP_STORED), ("python-deflated.zip", zipfile.ZIP_DEFLATED)):
    with zipfile.ZipFile(os.path.join(folder, name), "w") as z:
        write_members(z, method)
        z.comment = b"made by the test script"

class Unseekable:
    """An output without tell and seek: the members get data descriptors."""
    def __init__(self, f):
        self.f = f
    def write(self, data):
        return self.f.write(data)
    def flush(self):
        self.f.flush()

with open(os.path.join(folder, "python-streamed.zip"), "wb") as f:
    with zipfile.ZipFile(Unseekable(f), "w") as z:
        write_members(z, zipfile.ZIP_DEFLATED)
PY
  names=(text.txt small.txt empty.txt sub/noise.bin)
  (
    cd "$dir/src"
    zip -q ../zip-deflated-ut.zip "${names[@]}"
    printf 'archive comment\n' | zip -q -z ../zip-deflated-ut.zip
    zip -q -0 ../zip-stored-ut.zip "${names[@]}"
    zip -q -X ../zip-deflated-plain.zip "${names[@]}"
  )
  python3 - "$dir" <<'PY'
import os, struct, sys, zipfile, zlib

folder = sys.argv[1]
modified = 1700000000

def has_time_field(extra):
    while len(extra) >= 4:
        tag, size = struct.unpack("<HH", extra[:4])
        if tag == 0x5455:
            return True
        extra = extra[4 + size:]
    return False

lines = []
kinds = set()
for archive in sorted(f for f in os.listdir(folder) if f.endswith(".zip")):
    with zipfile.ZipFile(os.path.join(folder, archive)) as z:
        for info in z.infolist():
            data = z.read(info)
            timed = has_time_field(info.extra)
            kinds.add((timed, info.compress_type, info.flag_bits & 8 != 0, bool(z.comment)))
            lines.append(f"{archive}\t{info.filename}\t{len(data)}\t{zlib.crc32(data):x}\t{modified}\t{int(timed)}\n")
# Both with and without time fields, stored and deflated, with data descriptors and comments.
assert {k[0] for k in kinds} == {True, False}, kinds
assert {k[1] for k in kinds} >= {zipfile.ZIP_STORED, zipfile.ZIP_DEFLATED}, kinds
assert any(k[2] for k in kinds) and any(k[3] for k in kinds), kinds
with open(os.path.join(folder, "manifest.txt"), "w") as f:
    f.writelines(lines)
print(f"{len(lines)} members of foreign archives described")
PY
  ;;

*)
  echo "unknown command $command" >&2
  exit 2
  ;;
esac
