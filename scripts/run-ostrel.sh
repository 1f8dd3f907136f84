#!/usr/bin/env bash
# Runs Ostrel, the module tag monitor, under Wine, optionally monitoring the
# module at an address; builds it first when it is not built yet. Without a
# display it runs on a virtual one and writes a screenshot to
# build/screens/run.png (scripts/run-program.sh).
# Usage: scripts/run-ostrel.sh [address]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)

# With an address Ostrel is ready when it monitors it; without one it first asks for it.
title=
[ $# -eq 0 ] || title="Ostrel - $1"
exec "$ROOT/scripts/run-program.sh" Ostrel ostrel.exe "$title" "$@"
