# Starts and stops a virtual X display when none is set. Sourced.
KORVANE_XVFB_PID=
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  # Xvfb picks a free display number itself and writes it to the pipe, so
  # builds side by side never share one.
  local fifo n=
  fifo=$(mktemp -u /tmp/korvane-xvfb.XXXXXX)
  mkfifo "$fifo"
  # In a process group of its own, so that Ctrl+C in the terminal leaves it to
  # stop_display, after the programs on it have ended.
  local shell_options=$-
  set -m
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  KORVANE_XVFB_PID=$!
  case $shell_options in *m*) ;; *) set +m ;; esac
  read -r -t 10 n <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$n" ]; then
    echo "display: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$n"
}
stop_display() {
  if [ -n "$KORVANE_XVFB_PID" ]; then kill "$KORVANE_XVFB_PID" 2>/dev/null || true; wait "$KORVANE_XVFB_PID" 2>/dev/null || true; fi
  KORVANE_XVFB_PID=
}
