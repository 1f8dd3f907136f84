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

# end_stage NAME: the stage ends now (for the test command's stage times, when it asks for them).
end_stage() {
  [ -z "${KORVANE_STAGE_LOG:-}" ] || echo "$1 $(date +%s%N)" >>"$KORVANE_STAGE_LOG"
}

"$ROOT/scripts/setup.sh"
end_stage set-up

# The compiler cache lives outside the tree (ccache's own folder), so it serves
# every build of the machine; paths below the checkout are hashed relative to it,
# so checkouts in other folders share it. Files compiled with a precompiled
# header are cached only under these sloppiness settings.
launcher=()
if command -v ccache >/dev/null; then
  ccache_launcher="env;CCACHE_BASEDIR=$ROOT;CCACHE_NOHASHDIR=1;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;ccache"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER="$ccache_launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$ccache_launcher")
fi
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
end_stage configure

if [ $# -eq 0 ]; then
  cmake --build "$BUILD_DIR"
  end_stage build
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
