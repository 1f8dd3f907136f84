#!/usr/bin/env bash
# Installs what is missing (setup.sh), configures the build tree and builds it.
# Usage: scripts/build.sh               everything (programs, tools, tests)
#        scripts/build.sh FILE...       only the programs named by file name (Corvel.exe ...)
#        scripts/build.sh --where FILE  prints the program's path in the build tree; nothing when
#                                       the tree is not configured or has no such program
# A program this checkout does not have ends it with status 3.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

# The path of the program FILE among the outputs of the configured build (file names compare
# without case, as Windows does).
program_path() {
  [ -f "$BUILD_DIR/build.ninja" ] || return 0
  ninja -C "$BUILD_DIR" -t targets all 2>/dev/null |
    awk -F': ' -v file="$1" '
      { n = split($1, part, "/"); if (found == "" && tolower(part[n]) == tolower(file)) found = $1 }
      END { if (found != "") print found }'
}

if [ "${1:-}" = --where ]; then
  path=$(program_path "$2")
  [ -z "$path" ] || echo "$BUILD_DIR/$path"
  exit 0
fi

"$ROOT/scripts/setup.sh"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null

if [ $# -eq 0 ]; then
  cmake --build "$BUILD_DIR"
  exit 0
fi
targets=()
for file in "$@"; do
  path=$(program_path "$file")
  if [ -z "$path" ]; then
    echo "build: this checkout has no $file" >&2
    exit 3
  fi
  targets+=("$path")
done
cmake --build "$BUILD_DIR" --target "${targets[@]}"
