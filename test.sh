#!/usr/bin/env bash
# Builds everything and runs every test; tests that need a display run in a
# private Xvfb screen started here.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/deps.sh

BUILD_DIR=${BUILD_DIR:-build}
JOBS=$(nproc)
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vantorix-ccache}

cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS"

# The arcade-cabinet variant in a tree of its own: the game and the core tests.
CABINET_DIR=$(pwd)/${CABINET_DIR:-${BUILD_DIR}-cabinet}
cmake -S . -B "$CABINET_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTORIX_ARCADE_CABINET=ON \
  -DVANTORIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$CABINET_DIR" -j "$JOBS" --target vantorix test_core

# A private X server for the tests that open a window.
DISPLAY_NUM=""
for n in $(seq 91 140); do
  if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then DISPLAY_NUM=$n; break; fi
done
if [ -z "$DISPLAY_NUM" ]; then echo "no free X display number" >&2; exit 1; fi
Xvfb ":${DISPLAY_NUM}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true' EXIT
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X${DISPLAY_NUM}" ] && break
  sleep 0.1
done
export DISPLAY=":${DISPLAY_NUM}"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export LIBGL_ALWAYS_SOFTWARE=1
export GALLIUM_DRIVER=llvmpipe

(cd "$BUILD_DIR" && ctest --output-on-failure -j "$JOBS" "$@")
(cd "$CABINET_DIR" && ctest --output-on-failure -j "$JOBS" -R '^Cabinet\.')
