#!/usr/bin/env bash
# The one command: installs what is missing, builds everything and runs all
# tests under Wine on a virtual display.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
cd "$ROOT"

# The time of each stage, printed at the end (also when a stage fails: it is
# printed with the time it ran).
STAGE_NAMES=()
STAGE_MS=()
stage=set-up
stage_started=$(date +%s%N)
next_stage() { # next stage's name, empty after the last
  local now
  now=$(date +%s%N)
  STAGE_NAMES+=("$stage")
  STAGE_MS+=("$(( (now - stage_started) / 1000000 ))")
  stage=$1
  stage_started=$now
}
print_stage_times() {
  local i total=0
  [ -z "$stage" ] || { stage="$stage (stopped)"; next_stage ""; }
  echo "Stage times:"
  for i in "${!STAGE_NAMES[@]}"; do
    printf '  %-18s %7d.%d s\n' "${STAGE_NAMES[$i]}" $(( STAGE_MS[i] / 1000 )) $(( STAGE_MS[i] % 1000 / 100 ))
    total=$(( total + STAGE_MS[i] ))
  done
  printf '  %-18s %7d.%d s\n' total $(( total / 1000 )) $(( total % 1000 / 100 ))
}
trap print_stage_times EXIT

"$ROOT/scripts/setup.sh"
next_stage configure

# The compiler cache lives outside the tree (ccache's own folder), so it serves
# every build of the machine. Files compiled with a precompiled header are
# cached only under these sloppiness settings.
launcher=()
if command -v ccache >/dev/null; then
  ccache_launcher="env;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;ccache"
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER="$ccache_launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$ccache_launcher")
fi
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
next_stage build
cmake --build "$BUILD_DIR"
next_stage tests

# shellcheck source=scripts/display.sh
. "$ROOT/scripts/display.sh"
start_display
finish() {
  stop_display
  WINEPREFIX=$BUILD_DIR/wineprefix wineserver -k 2>/dev/null || true
  print_stage_times
}
trap finish EXIT

# Create the Wine prefix once before the tests run side by side.
"$ROOT/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
WINEPREFIX=$BUILD_DIR/wineprefix wineserver -p 60 2>/dev/null || true

ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 600
next_stage ""
