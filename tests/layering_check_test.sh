#!/usr/bin/env bash
# The include check catches each rule: every row puts one file that breaks a rule into an
# empty tree and expects the check to fail naming that rule; a file within the rules passes.
set -u
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0

# rule named in the report | file that breaks it | the include it has
cases=(
  "the framework core includes the window layer|framework/archive.cpp|framework/wnd.h"
  "headless Corvel code includes Corvel's window code|corvel/model/ied.cpp|corvel/app/main_doc.h"
  "the shared code includes Corvel, Ostrel or Aubrel|common/hyperlink.cpp|corvel/controls/grid_list.h"
  "the shared code includes Corvel, Ostrel or Aubrel|common/msxml_support.h|ostrel/monitor/monitor_xml.h"
  "the shared XML code includes the window layer|common/xml_reply_scanner.cpp|framework/wnd.h"
  "Ostrel includes Corvel|ostrel/monitor/tag_database.h|corvel/model/xml_document.h"
  "Aubrel includes Corvel|aubrel/about_dlg.cpp|corvel/resources/resource.h"
  "the resource ids include Corvel's code|corvel/resources/resource.h|corvel/app/main_app.h"
  "headless Corvel code includes Corvel's window code|corvel/gateway/aoi_export.cpp|corvel/document/main_doc.h"
  "Corvel's controls include the layers above them|corvel/controls/custom_slider.cpp|corvel/document/main_doc.h"
  "Corvel's controls include the layers above them|corvel/controls/grid_list.cpp|corvel/app/main_app.h"
  "the document includes the windows above it|corvel/document/main_doc.cpp|corvel/workspace/main_frame.h"
  "the document includes the windows above it|corvel/document/main_doc_open.cpp|corvel/mapping/ied_tree.h"
  "the mapping dialogs include the gateway's dialogs, the workspace or the application|corvel/mapping/ied_tree.cpp|corvel/workspace/main_frame.h"
  "the mapping dialogs include the gateway's dialogs, the workspace or the application|corvel/mapping/ied_props_dlg.h|corvel/gateway_ui/transfer_dlg.h"
  "the gateway's dialogs include the mapping dialogs, the workspace or the application|corvel/gateway_ui/event_log_dlg.h|corvel/mapping/map_lists.h"
  "the gateway's dialogs include the mapping dialogs, the workspace or the application|corvel/gateway_ui/diagnostic_dlg.cpp|corvel/app/main_app.h"
  "the workspace includes the application|corvel/workspace/main_view.cpp|corvel/app/main_app.h"
  "the toolkit's window-free core includes the window layer|toolkit/common/system.h|framework/gdi.h"
  "the toolkit's window-free core includes the toolkit's windows|toolkit/common/dib_section.h|toolkit/common/image_manager.h"
  "the markup engine includes the window layer|toolkit/markup/markup_visual.cpp|framework/wnd.h"
  "the markup engine includes toolkit code other than its own and the window-free core|toolkit/markup/markup_context.cpp|toolkit/themes/paint/markup_glue.h"
  "the markup engine includes toolkit code other than its own and the window-free core|toolkit/markup/markup_image.cpp|toolkit/common/image_manager.h"
  "the common controls include the markup engine, the command bars or the themes|toolkit/common/tooltip_styles.cpp|toolkit/themes/paint/markup_glue.h"
  "the common controls include the markup engine, the command bars or the themes|toolkit/common/color_popup.cpp|toolkit/commandbars/shadow_manager.h"
  "the common controls include the markup engine, the command bars or the themes|toolkit/common/aux_data.cpp|toolkit/markup/markup_context.h"
  "the command bars include the themes|toolkit/commandbars/shadow_manager.cpp|toolkit/themes/image_rows.h"
)

# put <file> <include>: a tree holding only that file.
put() {
  rm -rf "$scratch/tree"
  mkdir -p "$scratch/tree/$(dirname "$1")"
  printf '#include <windows.h>\n#include "%s"\n' "$2" >"$scratch/tree/$1"
}

for row in "${cases[@]}"; do
  IFS='|' read -r rule file include <<<"$row"
  put "$file" "$include"
  output=$("$here/layering_check.sh" "$scratch/tree")
  if [ $? -eq 0 ] || ! grep -qxF "$rule:" <<<"$output"; then
    echo "not caught: $file including $include should break \"$rule\"; the check said: $output"
    failed=1
  fi
done

# Includes within the rules: Ostrel and Aubrel on the shared code, each Corvel window layer on those below it,
# the markup engine on the window-free core, the themes on everything below them.
allowed=(
  "ostrel/monitor/monitor_xml.h|common/msxml_support.h"
  "corvel/controls/grid_list.cpp|corvel/resources/resource.h"
  "corvel/document/main_doc.cpp|corvel/controls/grid_list.h"
  "corvel/mapping/ied_tree.cpp|corvel/document/document_frame.h"
  "corvel/workspace/main_frame.cpp|corvel/mapping/ied_map_dlg.h"
  "corvel/app/main_app.cpp|corvel/workspace/main_frame.h"
  "aubrel/about_dlg.h|common/hyperlink.h"
  "toolkit/markup/markup_controls.cpp|toolkit/common/color_hsl.h"
  "toolkit/markup/markup_context.cpp|toolkit/common/nonclient_metrics.h"
  "toolkit/common/tooltip_styles.cpp|toolkit/common/upper_services.h"
  "toolkit/commandbars/shadow_manager.h|toolkit/common/upper_services.h"
  "toolkit/themes/paint/markup_glue.cpp|toolkit/markup/markup_context.h"
  "toolkit/themes/theme_services.cpp|toolkit/commandbars/shadow_manager.h"
)
for row in "${allowed[@]}"; do
  IFS='|' read -r file include <<<"$row"
  put "$file" "$include"
  if ! output=$("$here/layering_check.sh" "$scratch/tree"); then
    echo "refused: $file including $include is within the rules; the check said: $output"
    failed=1
  fi
done

exit $failed
