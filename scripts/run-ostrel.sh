#!/usr/bin/env bash
# Runs Ostrel under Wine, on a virtual display when none is set.
# Usage: scripts/run-ostrel.sh [address]      monitors the module at address (Ostrel asks when none is given)
#        scripts/run-ostrel.sh --simulator    starts a module simulator and monitors it
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}
EXE=$BUILD_DIR/ostrel/ostrel.exe
if [ ! -f "$EXE" ]; then
  echo "run-ostrel: $EXE not found; build first (scripts/test.sh)" >&2
  exit 1
fi

# shellcheck source=scripts/display.sh
. "$ROOT/scripts/display.sh"
start_display

args=()
if [ "${1:-}" = "--simulator" ]; then
  state=$BUILD_DIR/run-ostrel-simulator
  mkdir -p "$state"
  python3 "$ROOT/tests/support/module_simulator.py" start --state "$state"
  trap 'python3 "$ROOT/tests/support/module_simulator.py" stop --state "$state"; stop_display' EXIT
  args+=("$(cat "$state/address")")
else
  trap stop_display EXIT
  if [ $# -gt 0 ]; then
    args+=("$1")
  fi
fi
"$ROOT/scripts/wine-run.sh" "$EXE" "${args[@]}"
