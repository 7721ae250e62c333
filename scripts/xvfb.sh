# Sourced by the test scripts: starts a private Xvfb screen for tests that
# open a window, exports what they need and stops the server on exit.
start_private_xvfb() {
  local n
  XVFB_DISPLAY_NUM=""
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then XVFB_DISPLAY_NUM=$n; break; fi
  done
  if [ -z "$XVFB_DISPLAY_NUM" ]; then echo "no free X display number" >&2; exit 1; fi
  Xvfb ":${XVFB_DISPLAY_NUM}" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${XVFB_DISPLAY_NUM}" ] && break
    sleep 0.1
  done
  export DISPLAY=":${XVFB_DISPLAY_NUM}"
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  export LIBGL_ALWAYS_SOFTWARE=1
  export GALLIUM_DRIVER=llvmpipe
}
