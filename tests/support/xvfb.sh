# Sourced: start_xvfb starts a virtual screen on a free display, exports DISPLAY and sets
# XVFB_PID; stop_xvfb ends it.
start_xvfb() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do
    [ -s "$fd_file" ] && break
    sleep 0.1
  done
  export DISPLAY=:$(head -n1 "$fd_file")
  rm -f "$fd_file"
  [ "$DISPLAY" != ":" ] || { echo "xvfb: no display started" >&2; return 1; }
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
