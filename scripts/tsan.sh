#!/usr/bin/env bash
# Builds the suite with ThreadSanitizer into build-tsan/ and runs the tests
# that start threads: pads and their hot-plug thread, sound, the thread class
# and its users, and the journeys. Any report fails the test it happens in.
#   scripts/tsan.sh [ctest args]       a -R of your own replaces the set
#   TSAN_TESTS=REGEX scripts/tsan.sh   other tests (builds every target)
# Reports are written to build-tsan/tsan-logs/ (tests capture the console,
# and a game process a test starts has no console of its own) and printed
# at the end. Reports from inside Mesa, freeglut and Xlib are kept out by
# sanitize/tsan.supp.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

bash scripts/deps.sh

JOBS=${JOBS:-$(nproc)}
BUILD=${TSAN_BUILD_DIR:-build-tsan}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vantorix-ccache}
DEFAULT_TESTS='Gamepad|PadInput|Sound|Fmod|Thread|URLLoader|GlobalStat|ScoreServer|Journey|FirstStart|SteamRound|^Options\.|VantorixProcess'
TESTS=${TSAN_TESTS:-$DEFAULT_TESTS}
TARGETS=(test_framework test_platform test_core test_progress test_journeys test_core_display)

source scripts/xvfb.sh
start_private_xvfb

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTORIX_TSAN=ON -DVANTORIX_BUILD_BENCH=OFF >/dev/null
if [ "$TESTS" = "$DEFAULT_TESTS" ]; then
  cmake --build "$BUILD" -j "$JOBS" --target "${TARGETS[@]}"
else
  cmake --build "$BUILD" -j "$JOBS"
fi

LOGS=$ROOT/$BUILD/tsan-logs
rm -rf "$LOGS"
mkdir -p "$LOGS"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$ROOT/sanitize/tsan.supp:log_path=$LOGS/report"
status=0
(cd "$BUILD" && ctest --output-on-failure -j "$JOBS" -R "$TESTS" "$@") || status=$?
if compgen -G "$LOGS/report.*" >/dev/null; then
  cat "$LOGS"/report.*
  echo "ThreadSanitizer reports above (kept in $LOGS)" >&2
  [ "$status" -ne 0 ] || status=1
fi
exit "$status"
