#!/usr/bin/env bash
# The one command: installs what is missing, builds everything and runs all
# tests under Wine on a virtual display.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
cd "$ROOT"

# The time of each stage, printed at the end (also when a stage fails: it is
# printed with the time it ran). scripts/build.sh marks the end of its stages.
STAGES=(set-up configure build tests)
export KORVANE_STAGE_LOG
KORVANE_STAGE_LOG=$(mktemp -t korvane-stages.XXXXXX)
echo "start $(date +%s%N)" >"$KORVANE_STAGE_LOG"
print_stage_times() {
  local name at last=0 ms total=0 done=0
  echo "end $(date +%s%N)" >>"$KORVANE_STAGE_LOG"
  echo "Stage times:"
  while read -r name at; do
    if [ "$name" != start ]; then
      if [ "$name" = end ]; then
        [ $done -lt ${#STAGES[@]} ] || break
        name="${STAGES[$done]} (stopped)"
      fi
      ms=$(( (at - last) / 1000000 ))
      total=$(( total + ms ))
      done=$(( done + 1 ))
      printf '  %-18s %7d.%d s\n' "$name" $(( ms / 1000 )) $(( ms % 1000 / 100 ))
    fi
    last=$at
  done <"$KORVANE_STAGE_LOG"
  printf '  %-18s %7d.%d s\n' total $(( total / 1000 )) $(( total % 1000 / 100 ))
  rm -f "$KORVANE_STAGE_LOG"
}
trap print_stage_times EXIT

"$ROOT/scripts/build.sh"

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
# Wine starts the desktop's process with the first program that needs it and
# ends it a few seconds after the last one. Started by a test, it would keep
# that test's output open, and ctest would wait for it until the tests pause.
# Start it here, with no output, and keep a program running beside the tests
# so that it lasts until they end (wineserver -k ends both).
"$ROOT/scripts/wine-run.sh" cmd /c "ping -n 86400 127.0.0.1 >nul" </dev/null >/dev/null 2>&1 &
"$ROOT/scripts/wine-run.sh" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true

ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 600
echo "tests $(date +%s%N)" >>"$KORVANE_STAGE_LOG"
