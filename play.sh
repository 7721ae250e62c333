#!/usr/bin/env bash
# Builds the game as test.sh does and plays it from the project root, where
# its data/ folder is.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/deps.sh

BUILD_DIR=${BUILD_DIR:-build}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vantorix-ccache}

cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" -j "${JOBS:-$(nproc)}" --target vantorix

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
VANTORIX needs an X display to open its window, and DISPLAY is not set.
Run ./play.sh from a desktop session, or try a virtual screen:
  xvfb-run -s "-screen 0 1280x1024x24" ./play.sh
MSG
  exit 1
fi

exec "$BUILD_DIR/vantorix" "$@"
