#!/usr/bin/env bash
# Runs Corvel under Wine, on a virtual display when none is set.
# Usage: scripts/run-corvel.sh [project-or-SCL-file]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
EXE=$BUILD_DIR/corvel/app/Corvel.exe
if [ ! -f "$EXE" ]; then
  echo "run-corvel: $EXE not found; build first (scripts/test.sh)" >&2
  exit 1
fi

# shellcheck source=scripts/display.sh
. "$ROOT/scripts/display.sh"
start_display
trap stop_display EXIT

args=()
if [ $# -gt 0 ]; then
  file=$(realpath -m -- "$1")
  args+=("$(WINEPREFIX=$BUILD_DIR/wineprefix winepath -w "$file" 2>/dev/null)")
fi
"$ROOT/scripts/wine-run.sh" "$EXE" "${args[@]}"
