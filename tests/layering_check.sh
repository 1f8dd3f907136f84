#!/usr/bin/env bash
# Layers point down only: the window-free code includes nothing of the layers above it, Ostrel and
# Aubrel nothing of Corvel, and each toolkit library includes nothing of the libraries above it.
# Usage: layering_check.sh [root]; the root is the checkout by default.
set -u
cd "${1:-$(dirname "$0")/..}" || exit 2
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
  framework/object.* framework/oletypes.* framework/strings.*)
window_headers='framework/(appex|cmdline|controlbar|controls|ddx|dialog|docview|filedialog|frame|gdi|ipaddress|listctrl|menu|msgmap|oledrop|print|recentfiles|splitter|statusbar|ui|winapp|wnd)\.h'

forbid "the framework core includes the window layer" "$window_headers" "${framework_core[@]}"
forbid "headless Corvel code includes the window layer" "$window_headers|commctrl\.h" corvel/model corvel/project \
  corvel/gateway
forbid "headless Corvel code includes Corvel's window code" 'corvel/(app|workspace|document|controls|mapping|gateway_ui)/.*' \
  corvel/model corvel/project corvel/gateway
forbid "the model includes the project files above it" 'corvel/project/.*' corvel/model

# What Corvel, Ostrel and Aubrel share lies below all three; its XML and COM pieces hold no window code.
common_headless=(common/com_support.* common/msxml_support.* common/xml_reply_scanner.*)
forbid "the shared code includes Corvel, Ostrel or Aubrel" '(corvel|ostrel|aubrel)/.*' common
forbid "the shared XML code includes the window layer" "$window_headers|commctrl\.h" "${common_headless[@]}"
forbid "Ostrel includes Corvel" 'corvel/.*' ostrel
forbid "Aubrel includes Corvel" 'corvel/.*' aubrel
# Corvel's resource ids lie below its window libraries.
forbid "the resource ids include Corvel's code" 'corvel/.*' corvel/resources
# Corvel's windows, bottom-up: the controls, the document, the mapping and the gateway's dialogs (side by side),
# the workspace, the application.
forbid "Corvel's controls include the layers above them" 'corvel/(document|mapping|gateway_ui|workspace|app)/.*' \
  corvel/controls
forbid "the document includes the windows above it" 'corvel/(mapping|gateway_ui|workspace|app)/.*' corvel/document
forbid "the mapping dialogs include the gateway's dialogs, the workspace or the application" \
  'corvel/(gateway_ui|workspace|app)/.*' corvel/mapping
forbid "the gateway's dialogs include the mapping dialogs, the workspace or the application" \
  'corvel/(mapping|workspace|app)/.*' corvel/gateway_ui
forbid "the workspace includes the application" 'corvel/app/.*' corvel/workspace

# forbid_except <what> <pattern> <allowed> <paths...>: as forbid, but includes matching allowed pass.
forbid_except() {
  local what=$1 pattern=$2 allowed=$3
  shift 3
  local found
  found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)[>\"]" "$@" 2>/dev/null |
    grep -vE "#[[:space:]]*include[[:space:]]*[<\"]($allowed)[>\"]")
  if [ -n "$found" ]; then
    echo "$what:"
    echo "$found"
    failed=1
  fi
}

# The toolkit, bottom-up: the window-free core of the common services, the markup engine (window-free),
# the common services and controls, the command bars, the themes.
toolkit_core_headers='toolkit/common/(color_hsl|dib_section|nonclient_metrics|system|theme_wrapper)\.h'
toolkit_core=(toolkit/common/color_hsl.h toolkit/common/dib_section.h toolkit/common/nonclient_metrics.h
  toolkit/common/system.h toolkit/common/theme_wrapper.h)
forbid "the toolkit's window-free core includes the window layer" "$window_headers|commctrl\.h" "${toolkit_core[@]}"
forbid_except "the toolkit's window-free core includes the toolkit's windows" 'toolkit/.*' "$toolkit_core_headers" \
  "${toolkit_core[@]}"
forbid "the markup engine includes the window layer" "$window_headers|commctrl\.h" toolkit/markup
forbid_except "the markup engine includes toolkit code other than its own and the window-free core" 'toolkit/.*' \
  "toolkit/markup/.*|$toolkit_core_headers" toolkit/markup
forbid "the common controls include the markup engine, the command bars or the themes" \
  'toolkit/(markup|commandbars|themes)/.*' toolkit/common
forbid "the command bars include the themes" 'toolkit/themes/.*' toolkit/commandbars

exit $failed
