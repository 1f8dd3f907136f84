#!/usr/bin/env bash
# Starts Corvel under Wine, waits for its main window on the X display, takes
# a screenshot of the screen and checks that the window is not blank.
# Usage: corvel_screenshot.sh <build dir>
set -euo pipefail
BUILD_DIR=$1
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
SHOT=$BUILD_DIR/corvel-main-window.png
TITLE="Korvane EIP-Tarnwell"
export BUILD_DIR WINEPREFIX=$BUILD_DIR/wineprefix

if [ -z "${DISPLAY:-}" ]; then
  echo "corvel_screenshot: no display" >&2
  exit 1
fi

"$ROOT/scripts/wine-run.sh" "$BUILD_DIR/corvel/app/Corvel.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; "$ROOT/scripts/wine-run.sh" taskkill /f /im Corvel.exe >/dev/null 2>&1 || true' EXIT

window=
for _ in $(seq 150); do
  window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$TITLE\"" | awk '{print $1}' | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "corvel_screenshot: no window titled \"$TITLE\"" >&2
  exit 1
fi
sleep 2 # let the views paint

import -window "$window" "$SHOT"
colours=$(identify -format '%k' "$SHOT")
echo "corvel_screenshot: $SHOT, $colours colours"
if [ "$colours" -lt 8 ]; then
  echo "corvel_screenshot: the window looks blank" >&2
  exit 1
fi
