#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix, which is
# created on first use and reused afterwards.
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-${BUILD_DIR:-$ROOT/build}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
export WINEARCH=win64

# The marker names the prefix's settings: a prefix made with older ones is made again.
READY=$WINEPREFIX/.ready-4
if [ ! -f "$READY" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$READY" ]; then
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w || true
      # No crash dialogs: a crashing test ends with a failure code instead.
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
      # No window manager runs on the virtual display: windows are not handed
      # to one, so showing and hiding them does not wait for it.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
      # Wine's own system fonts (Tahoma, Marlett for the caption buttons ...)
      # are used only when they stand in the prefix's Fonts folder.
      for dir in /usr/share/wine/fonts /usr/lib/wine/fonts /opt/wine/share/wine/fonts; do
        if [ -d "$dir" ]; then cp -n "$dir"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true; break; fi
      done
      # The default printer: Wine's PostScript driver writing every document to
      # a file in the printing program's folder (scripts/printer).
      drivers=$WINEPREFIX/drive_c/windows/system32/spool/drivers/x64/3
      mkdir -p "$drivers"
      cp "$ROOT/scripts/printer/file-printer.ppd" "$drivers/korvane-file-printer.ppd"
      (cd "$ROOT/scripts/printer" && wine reg import file-printer.reg >/dev/null 2>&1) || true
      wineserver -w || true
      touch "$READY"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# Now and then, with many test programs starting side by side, wine ends without
# running the program and without a word, within a few milliseconds; the quickest real
# run of a program takes twice as long. Test programs (KORVANE_WINE_RETRY=1) get one
# more start then; everything else is wine itself, whose process id callers watch.
[ "${KORVANE_WINE_RETRY:-0}" = 1 ] || exec wine "$@"
started=$(date +%s%N)
status=0
wine "$@" || status=$?
if [ $status -ne 0 ] && [ $(( ($(date +%s%N) - started) / 1000000 )) -lt 12 ]; then
  echo "wine-run: wine ended at once with status $status; starting the program again" >&2
  exec wine "$@"
fi
exit $status
