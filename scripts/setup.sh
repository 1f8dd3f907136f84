#!/usr/bin/env bash
# Installs the packages the build needs and cross-builds libb64 and libpng
# into the build tree. Safe to run again: it skips what is already there.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
DEPS=$BUILD_DIR/deps
TRIPLE=x86_64-w64-mingw32

PACKAGES=(
  cmake ninja-build ccache dpkg-dev
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  libz-mingw-w64-dev librapidxml-dev googletest
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick ghostscript
  unzip zip python3 tzdata
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source packages (libb64, libpng) come from the same archives as the binary
# packages: the source entries are copies of the machine's binary entries for
# its own release.
APT_DIR=/etc/apt
SRC_NAME=korvane-src
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")

# Writes content to the file (removes it when content is empty); says whether it changed.
write_source_file() {
  local file=$1 content=$2
  if [ -z "$content" ]; then
    [ -f "$file" ] || return 1
    as_root rm -f "$file"
    return 0
  fi
  [ -f "$file" ] && [ "$(cat "$file")" = "$content" ] && return 1
  printf '%s\n' "$content" | as_root tee "$file" >/dev/null
}

need_update=0
others=$(grep -ls -E '^[[:space:]]*(deb-src|Types:.*deb-src)' "$APT_DIR/sources.list" "$APT_DIR"/sources.list.d/*.list \
  "$APT_DIR"/sources.list.d/*.sources 2>/dev/null | grep -v "/$SRC_NAME\.\(list\|sources\)$" || true)
if [ -z "$others" ]; then
  list_entries=$("$ROOT/scripts/source-entries.sh" list "$APT_DIR" "$codename" "$SRC_NAME")
  deb822_entries=$("$ROOT/scripts/source-entries.sh" deb822 "$APT_DIR" "$codename" "$SRC_NAME")
  [ -n "$list_entries$deb822_entries" ] || echo "setup: no binary package source of this release to copy for the source packages" >&2
  write_source_file "$APT_DIR/sources.list.d/$SRC_NAME.list" "$list_entries" && need_update=1
  write_source_file "$APT_DIR/sources.list.d/$SRC_NAME.sources" "$deb822_entries" && need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  echo "setup: installing ${missing[*]:-(source lists only)}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
  fi
fi

mkdir -p "$DEPS/src" "$DEPS/prefix/include" "$DEPS/prefix/lib"
PREFIX=$DEPS/prefix

fetch_source() { # package tarball-glob
  local pkg=$1 glob=$2
  if ! ls "$DEPS/src"/$glob >/dev/null 2>&1; then
    (cd "$DEPS/src" && apt-get source --tar-only "$pkg" </dev/null 2>&1 | grep -v '^W: Download is performed unsandboxed' || true)
  fi
  ls "$DEPS/src"/$glob >/dev/null 2>&1 || { echo "setup: could not fetch the source of $pkg" >&2; exit 1; }
}

# libb64: two C files into a static library.
if [ ! -f "$PREFIX/lib/libb64.a" ]; then
  fetch_source libb64 'libb64_*.orig.tar.*'
  rm -rf "$DEPS/src/libb64" && mkdir -p "$DEPS/src/libb64"
  tar -xf "$DEPS/src"/libb64_*.orig.tar.* -C "$DEPS/src/libb64" --strip-components=1
  (cd "$DEPS/src/libb64/src" &&
    $TRIPLE-gcc-posix -O2 -I../include -c cencode.c cdecode.c &&
    $TRIPLE-ar rcs "$PREFIX/lib/libb64.a" cencode.o cdecode.o)
  rm -rf "$PREFIX/include/b64" && cp -r "$DEPS/src/libb64/include/b64" "$PREFIX/include/"
  echo "setup: built libb64"
fi

# libpng: its own CMake build, static, against the mingw zlib.
if [ ! -f "$PREFIX/lib/libpng16.a" ]; then
  fetch_source libpng1.6 'libpng1.6_*.orig.tar.*'
  rm -rf "$DEPS/src/libpng" "$DEPS/src/libpng-build" && mkdir -p "$DEPS/src/libpng"
  tar -xf "$DEPS/src"/libpng1.6_*.orig.tar.* -C "$DEPS/src/libpng" --strip-components=1
  cmake -S "$DEPS/src/libpng" -B "$DEPS/src/libpng-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DZLIB_LIBRARY=/usr/$TRIPLE/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$TRIPLE/include >/dev/null
  cmake --build "$DEPS/src/libpng-build" >/dev/null
  cmake --install "$DEPS/src/libpng-build" >/dev/null
  echo "setup: built libpng"
fi
