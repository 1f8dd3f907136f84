#!/usr/bin/env bash
# Runs one of the project's programs under Wine, building it first when it is
# not built yet. With a display set it shows there; without one it runs on a
# virtual display, and once its window has appeared and settled a screenshot
# goes to build/screens/run.png. It runs until it is closed; Ctrl+C asks it to
# close and, on a virtual display, ends it if it does not, then ends the
# virtual display.
# Usage: scripts/run-program.sh NAME FILE TITLE [ARGUMENT...]
#   NAME      what the messages call the program (Corvel)
#   FILE      its file name in the build (Corvel.exe)
#   TITLE     the title of the window that shows it is ready; empty: its first window
#   ARGUMENT  its command line, as Windows paths where paths are meant
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
NAME=$1 FILE=$2 TITLE=$3
shift 3
TAG="run-${NAME,,}"
SHOT=$BUILD_DIR/screens/run.png
# How long a program may take to close when asked, on a virtual display, before it is ended.
CLOSE_SECONDS=10
# How long its window may keep changing before the screenshot is taken all the same.
SETTLE_SECONDS=20
# How long a program that shows windows may take to show the one with TITLE.
READY_SECONDS=60

say() { echo "$TAG: $*"; }

exe=$("$ROOT/scripts/build.sh" --where "$FILE")
if [ -z "$exe" ] || [ ! -f "$exe" ]; then
  say "$NAME is not built yet: setting up and building it (once)"
  status=0
  "$ROOT/scripts/build.sh" "$FILE" || status=$?
  if [ $status -eq 3 ]; then
    say "$NAME is not built yet, and this checkout cannot build it" >&2
    exit 1
  fi
  [ $status -eq 0 ] || exit $status
  exe=$("$ROOT/scripts/build.sh" --where "$FILE")
fi

# shellcheck source=scripts/display.sh
. "$ROOT/scripts/display.sh"
start_display
virtual=0
[ -z "$KORVANE_XVFB_PID" ] || virtual=1

# A Wine server already running for the prefix belongs to someone else: it is left running.
own_server=1
if ! timeout 1 wineserver -w >/dev/null 2>&1; then own_server=0; fi

program=
finished=0

# The program's top-level windows that are shown, one a line: ID WIDTHxHEIGHT+X+Y TITLE, X and Y
# on the screen (a window manager puts them in frames of its own). Wine's own helper windows
# (1 by 1 pixel) are left out.
program_windows() {
  local class=${FILE,,} id geometry title
  xwininfo -root -tree 2>/dev/null |
    sed -n 's/^ *\(0x[0-9a-f]*\) \(.*\): ("\([^"]*\)" "[^"]*")  *\([0-9]*x[0-9]*\)+-\?[0-9]*+-\?[0-9]*  *\(+-\?[0-9]*+-\?[0-9]*\)$/\1 \4\5 \3 \2/p' |
    while read -r id geometry wmclass title; do
      [ "${wmclass,,}" = "$class" ] || continue
      case $geometry in 1x*|*x1+*) continue ;; esac
      [ "$(xprop -id "$id" _NET_WM_PID 2>/dev/null | sed 's/.* = //')" = "$program" ] || continue
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      title=${title#\"}
      echo "$id $geometry ${title%\"}"
    done || true
}

program_running() { [ -n "$program" ] && kill -0 "$program" 2>/dev/null; }

# The program's CPU time so far, in clock ticks.
program_ticks() { awk '{ print $14 + $15 }' "/proc/$program/stat" 2>/dev/null || echo 0; }

# Asks every shown window of the program to close; fails when it shows none.
ask_to_close() {
  local windows
  windows=$(program_windows | cut -d' ' -f1)
  [ -n "$windows" ] || return 1
  "$ROOT/scripts/close-window.py" $windows 2>/dev/null || true
}

# Ends the program and, when it is ours, the virtual display; exits with status.
finish() {
  local status=$1 waited
  [ $finished -eq 0 ] || exit "$status"
  finished=1
  trap '' INT TERM
  if program_running; then
    # Nobody can answer a question on the virtual display (whether to save the project it
    # opened, say): a program that asks one, or does not close, is ended.
    local before windows
    before=$(program_windows | cut -d' ' -f1 | sort)
    waited=0
    ask_to_close || waited=$((CLOSE_SECONDS * 4))
    for (( ; waited < CLOSE_SECONDS * 4; waited++)); do
      sleep 0.25
      program_running || break
      windows=$(program_windows | cut -d' ' -f1 | sort)
      if [ -n "$(comm -13 <(echo "$before") <(echo "$windows"))" ]; then
        say "$NAME asks a question that nobody can answer on the virtual display: ending it"
        break
      fi
    done
    if program_running; then
      [ -z "$before" ] || [ $waited -lt $((CLOSE_SECONDS * 4)) ] || say "$NAME did not close within $CLOSE_SECONDS s: ending it"
      kill -TERM "$program" 2>/dev/null || true
    fi
    wait "$program" 2>/dev/null || true
  fi
  if [ $virtual -eq 1 ]; then
    # Wine's helper processes leave the display when the last program of the prefix has ended,
    # and its server a few seconds later.
    for ((waited = 0; waited < 40; waited++)); do
      [ "$(xwininfo -root -children 2>/dev/null | grep -c '^ *0x')" -eq 0 ] && break
      sleep 0.25
    done
    [ $own_server -eq 0 ] || timeout 10 wineserver -w >/dev/null 2>&1 || true
    local display=$DISPLAY
    stop_display
    say "$NAME has ended; the virtual display $display is closed"
  fi
  exit "$status"
}

if [ $virtual -eq 0 ]; then
  # On a real display Ctrl+C only asks: the user answers whatever the program asks then.
  trap 'ask_to_close || true' INT TERM
  "$ROOT/scripts/wine-run.sh" "$exe" "$@" &
  program=$!
  while true; do
    status=0
    wait "$program" || status=$?
    program_running || exit $status
  done
fi

trap 'finish $?' EXIT
trap 'finish 130' INT TERM
say "no display set: $NAME runs on the virtual display $DISPLAY, where nobody sees it; a screenshot follows"
"$ROOT/scripts/wine-run.sh" "$exe" "$@" &
program=$!

# Its window: the one titled TITLE (any, when TITLE is empty).
first_seen=
while true; do
  if ! program_running; then
    status=0
    wait "$program" || status=$?
    say "$NAME ended (status $status) before it showed a window" >&2
    # A Wine server started without a display, by a developer tool for instance, shows no windows.
    say "(a Wine server that runs without a display cannot show windows: wineserver -w waits for it to end)" >&2
    exit $status
  fi
  windows=$(program_windows)
  if [ -n "$windows" ]; then
    [ -n "$first_seen" ] || first_seen=$SECONDS
    if [ -z "$TITLE" ] || cut -d' ' -f3- <<<"$windows" | grep -qxF -- "$TITLE"; then break; fi
    if [ $((SECONDS - first_seen)) -ge $READY_SECONDS ]; then
      say "$NAME has not shown \"$TITLE\" within $READY_SECONDS s: the screenshot shows what it shows"
      break
    fi
  fi
  sleep 0.25
done

# The screenshot: the part of the screen the program's windows cover, once it has
# stopped changing and the program has stopped working (a project loading, painting).
mkdir -p "$BUILD_DIR/screens"
shot_dir=$(mktemp -d "$BUILD_DIR/screens/.run.XXXXXX")
previous= previous_ticks=$(program_ticks)
for ((tries = 0; tries < SETTLE_SECONDS * 2; tries++)); do
  sleep 0.5
  program_running || break
  area=$(program_windows | awk '
    { split($2, g, /[x+]/); x1 = g[3]; y1 = g[4]; x2 = x1 + g[1]; y2 = y1 + g[2]
      if (NR == 1 || x1 < left) left = x1; if (NR == 1 || y1 < top) top = y1
      if (NR == 1 || x2 > right) right = x2; if (NR == 1 || y2 > bottom) bottom = y2 }
    END { if (NR > 0) { if (left < 0) left = 0; if (top < 0) top = 0; printf "%dx%d+%d+%d", right - left, bottom - top, left, top } }')
  [ -n "$area" ] || continue
  import -window root -crop "$area" +repage "$shot_dir/shot.png" 2>/dev/null || continue
  signature=$(identify -format '%#' "$shot_dir/shot.png" 2>/dev/null || true)
  ticks=$(program_ticks)
  settled=0
  [ "$signature" = "$previous" ] && [ $((ticks - previous_ticks)) -le 2 ] && settled=1
  previous=$signature previous_ticks=$ticks
  [ $settled -eq 0 ] || break
done
if [ -f "$shot_dir/shot.png" ]; then
  mv -f "$shot_dir/shot.png" "$SHOT"
  say "screenshot of $NAME: $SHOT"
else
  say "no screenshot: $NAME's window could not be captured" >&2
fi
rm -rf "$shot_dir"

say "$NAME keeps running until it is closed or Ctrl+C ends it"
status=0
wait "$program" || status=$?
finish $status
