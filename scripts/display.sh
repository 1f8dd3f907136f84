# Starts and stops a virtual X display when none is set. Sourced.
KORVANE_XVFB_PID=
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=99
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  KORVANE_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "display: Xvfb did not start" >&2
  return 1
}
stop_display() {
  if [ -n "$KORVANE_XVFB_PID" ]; then kill "$KORVANE_XVFB_PID" 2>/dev/null || true; wait "$KORVANE_XVFB_PID" 2>/dev/null || true; fi
  KORVANE_XVFB_PID=
}
