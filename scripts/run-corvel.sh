#!/usr/bin/env bash
# Runs Corvel under Wine, optionally opening a project or SCL file; builds it
# first when it is not built yet. Without a display it runs on a virtual one
# and writes a screenshot to build/screens/run.png (scripts/run-program.sh).
# Usage: scripts/run-corvel.sh [project-or-SCL-file]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)

args=()
if [ $# -gt 0 ]; then
  # Wine's drive Z: is the Linux root.
  file=$(realpath -m -- "$1")
  args+=("Z:${file//\//\\}")
fi
exec "$ROOT/scripts/run-program.sh" Corvel Corvel.exe "Korvane EIP-Tarnwell" "${args[@]}"
