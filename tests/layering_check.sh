#!/usr/bin/env bash
# Layers point down only: the window-free code includes nothing of the layers above it.
set -u
cd "$(dirname "$0")/.."
failed=0

# forbid <what> <pattern> <paths...>: every include line matching pattern in paths is a fault.
forbid() {
  local what=$1 pattern=$2
  shift 2
  local found
  found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)[>\"]" "$@" 2>/dev/null)
  if [ -n "$found" ]; then
    echo "$what:"
    echo "$found"
    failed=1
  fi
}

framework_core=(framework/archive.* framework/collections.* framework/core.h framework/exceptions.*
  framework/file.* framework/geometry.* framework/handles.h framework/module.* framework/msgbox.*
  framework/object.* framework/strings.*)
window_headers='framework/(appex|cmdline|controlbar|controls|ddx|dialog|docview|filedialog|frame|gdi|ipaddress|listctrl|menu|msgmap|oledrop|print|recentfiles|splitter|statusbar|ui|winapp|wnd)\.h'

forbid "the framework core includes the window layer" "$window_headers" "${framework_core[@]}"
forbid "headless Corvel code includes the window layer" "$window_headers|commctrl\.h" corvel/model corvel/project \
  corvel/gateway
forbid "headless Corvel code includes Corvel's window code" 'corvel/(app|workspace|controls|mapping)/.*' \
  corvel/model corvel/project corvel/gateway
forbid "the model includes the project files above it" 'corvel/project/.*' corvel/model

exit $failed
