#!/usr/bin/env bash
# scripts/run-corvel.sh with no display set and an SCL sample: Corvel runs on a
# virtual display of the command's own, build/screens/run.png shows its main
# window once the file's IEDs are in the file view, and Ctrl+C ends Corvel and
# the display cleanly.
# Usage: run_corvel_test.sh BUILD_DIR TREE_PROBE SAMPLE
set -euo pipefail
BUILD_DIR=$1 PROBE=$2 SAMPLE=$3
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export BUILD_DIR WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
WORK=$BUILD_DIR/tests/scripts/run_corvel
SHOT=$BUILD_DIR/screens/run.png
TITLE="Korvane EIP-Tarnwell"
# Seconds allowed for the screenshot, and for the end after Ctrl+C.
WAIT=120

run= probe=
show_logs() {
  local log
  for log in run probe; do
    [ ! -f "$WORK/$log.log" ] || sed "s/^/  $log: /" "$WORK/$log.log"
  done
}
fail() {
  echo "FAILED: $*"
  show_logs
  exit 1
}
# Whatever happens, nothing the test started outlives it.
cleanup() {
  if [ -n "$run" ] && kill -0 "$run" 2>/dev/null; then kill -TERM -- "-$run" 2>/dev/null || true; fi
  if [ -n "$probe" ] && kill -0 "$probe" 2>/dev/null; then kill -TERM "$probe" 2>/dev/null || true; fi
}
trap cleanup EXIT
# wait_for SECONDS TEXT FILE PID: until FILE has a line holding TEXT, while PID runs.
wait_for() {
  local i
  for ((i = 0; i < $1 * 4; i++)); do
    grep -qF -- "$2" "$3" 2>/dev/null && return 0
    kill -0 "$4" 2>/dev/null || return 1
    sleep 0.25
  done
  return 1
}
# The probe's lines, without the carriage returns of a Windows program's output.
probe_lines() { tr -d '\r' <"$WORK/probe.log"; }
# colours AREA: the number of colours in that part of the screenshot.
colours() { identify -format '%k' "$SHOT[$1]"; }

[ -n "${DISPLAY:-}" ] || fail "the tree probe needs the tests' display"

rm -rf "$WORK"
mkdir -p "$WORK"
# A copy of its own: its item in Corvel's file view tells this test's Corvel from others.
cp "$SAMPLE" "$WORK/"
file=$WORK/$(basename "$SAMPLE")
mapfile -t expected < <(sed -n 's/.*<IED[^>]* name="\([^"]*\)".*/\1/p' "$file" | sort)
[ ${#expected[@]} -gt 0 ] || fail "no IED in $SAMPLE"

# The probe runs on the tests' display, where it holds Wine's desktop while Corvel
# runs on the command's own display, which goes when the command ends.
"$ROOT/scripts/wine-run.sh" "$PROBE" Corvel.exe "$TITLE" "Z:${file//\//\\}" $((WAIT * 1000)) >"$WORK/probe.log" 2>&1 &
probe=$!
wait_for 60 ready "$WORK/probe.log" "$probe" || fail "the tree probe did not start"

rm -f "$SHOT"
# Started as from a terminal: a process group of its own, which Ctrl+C reaches whole,
# and Ctrl+C heard even where this test runs with it ignored (as background jobs do).
set -m
env -u DISPLAY --default-signal=INT "$ROOT/scripts/run-corvel.sh" "$file" >"$WORK/run.log" 2>&1 &
run=$!
set +m
wait_for $WAIT "screenshot of Corvel: $SHOT" "$WORK/run.log" "$run" || fail "no screenshot within $WAIT s"
wait_for 30 shown "$WORK/probe.log" "$probe" || fail "the probe did not find the file in Corvel's file view"
display=$(sed -n 's/.*the virtual display \(:[0-9]*\).*/\1/p' "$WORK/run.log" | head -n 1)
[ -n "$display" ] || fail "the command did not name its virtual display"
# The X server the command started: once it is gone another run may take the display's number.
xvfb_pid=
for pid in $(pgrep -x Xvfb || true); do
  up=$pid
  while [ -n "$up" ] && [ "$up" -gt 1 ] && [ "$up" != "$run" ]; do up=$(ps -o ppid= -p "$up" | tr -d ' '); done
  [ "$up" = "$run" ] && xvfb_pid=$pid
done
[ -n "$xvfb_pid" ] || fail "the command's virtual display $display has no X server of its own"

# The file view holds the file and, under it, the file's IEDs.
mapfile -t shown < <(probe_lines | sed -n 's/^child \([^ ]*\) .*/\1/p' | sort)
[ "${shown[*]}" = "${expected[*]}" ] || fail "the file's IEDs are ${expected[*]}, the file view shows ${shown[*]}"

# The screenshot is the main window, drawn, with the file's item written where the
# tree shows it (the row is empty until the file is open); so are the IEDs in view.
read -r _ left top width height < <(probe_lines | grep '^window ')
[ "$(identify -format '%w %h' "$SHOT")" = "$width $height" ] ||
  fail "the screenshot is $(identify -format '%wx%h' "$SHOT"), the main window ${width}x$height"
[ "$(colours "${width}x$height+0+0")" -ge 8 ] || fail "the screenshot looks blank"
read -r _ x y w h < <(probe_lines | grep '^item ')
[ "$x" != hidden ] || fail "the file's item is not in view"
[ "$(colours "${w}x$h+$((x - left))+$((y - top))")" -ge 2 ] || fail "the file's item is not drawn in the screenshot"
while read -r _ name x y w h; do
  [ "$(colours "${w}x$h+$((x - left))+$((y - top))")" -ge 2 ] || fail "the IED $name is not drawn in the screenshot"
done < <(probe_lines | grep '^child [^ ]* [0-9-]')

# Ctrl+C: Corvel, its virtual display and the command end, with nothing left behind.
kill -INT -- "-$run"
for ((i = 0; i < WAIT * 4; i++)); do
  kill -0 "$run" 2>/dev/null || break
  sleep 0.25
done
kill -0 "$run" 2>/dev/null && fail "the command did not end within $WAIT s of Ctrl+C"
status=0
wait "$run" || status=$?
[ $status -eq 130 ] || fail "the command ended with status $status after Ctrl+C, not 130"
grep -qF "Corvel has ended; the virtual display $display is closed" "$WORK/run.log" || fail "no word of the end"
left_over=$(pgrep -g "$run" || true)
[ -z "$left_over" ] || fail "left running: $(ps -o pid=,args= -p "${left_over//$'\n'/,}")"
! kill -0 "$xvfb_pid" 2>/dev/null || fail "the virtual display $display is still there"
for ((i = 0; i < 30 * 4; i++)); do
  kill -0 "$probe" 2>/dev/null || break
  sleep 0.25
done
probe_lines | grep -qx ended || fail "the probe did not see Corvel end"

echo "run_corvel: passed; ${expected[*]} shown in $SHOT"
show_logs
