#!/usr/bin/env bash
# The one command: installs what is missing, builds everything and runs all
# tests under Wine on a virtual display.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
cd "$ROOT"

"$ROOT/scripts/build.sh"

# shellcheck source=scripts/display.sh
. "$ROOT/scripts/display.sh"
start_display
trap 'stop_display; WINEPREFIX=$BUILD_DIR/wineprefix wineserver -k 2>/dev/null || true' EXIT

# Create the Wine prefix once before the tests run side by side.
"$ROOT/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
WINEPREFIX=$BUILD_DIR/wineprefix wineserver -p 60 2>/dev/null || true

ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 600
