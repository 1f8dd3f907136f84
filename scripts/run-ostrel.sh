#!/usr/bin/env bash
# Runs Ostrel, the module tag monitor, under Wine, optionally monitoring the
# module at an address; builds it first when it is not built yet. Without a
# display it runs on a virtual one and writes a screenshot to
# build/screens/run.png (scripts/run-program.sh).
# Usage: scripts/run-ostrel.sh [address]      monitors the module at address (Ostrel asks when none is given)
#        scripts/run-ostrel.sh --simulator    starts a module simulator and monitors it (its port 80 needs root)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_DIR=${BUILD_DIR:-$ROOT/build}

if [ "${1:-}" = --simulator ]; then
  state=$BUILD_DIR/run-ostrel-simulator
  simulator() { python3 "$ROOT/tests/support/module_simulator.py" "$1" --state "$state"; }
  mkdir -p "$state"
  simulator start
  # Ctrl+C reaches the run command too: the simulator stops once it has ended Ostrel.
  trap 'simulator stop' EXIT
  trap 'exit 130' INT TERM
  set -- "$(cat "$state/address")"
fi

# With an address Ostrel is ready when it monitors it; without one it first asks for it.
title=
[ $# -eq 0 ] || title="Ostrel - $1"
status=0
"$ROOT/scripts/run-program.sh" Ostrel ostrel.exe "$title" "$@" || status=$?
exit $status
