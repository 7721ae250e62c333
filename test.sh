#!/usr/bin/env bash
# Builds everything and runs every test; tests that need a display run in a
# private Xvfb screen started here.
#   SANITIZE=0 ./test.sh [ctest args]   plain build in build/ only
#   SANITIZE=1 ./test.sh [ctest args]   AddressSanitizer + UBSan build in build-asan/
#   ./test.sh / SANITIZE=both           both passes, plain first (what CI runs)
# The arcade-cabinet variant is built in the same tree (vantorix_cabinet,
# test_core_cabinet) and its tests run with the others.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD

bash scripts/deps.sh

JOBS=${JOBS:-$(nproc)}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vantorix-ccache}
SANITIZE=${SANITIZE:-both}

# A private X server for the tests that open a window.
source scripts/xvfb.sh
start_private_xvfb

# Builds the tree with the extra CMake options given and runs its tests.
#   run_pass DIR [cmake options...] -- [ctest args...]
run_pass() {
  local dir=$1; shift
  local options=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
  cmake --build "$dir" -j "$JOBS"
  (cd "$dir" && ctest --output-on-failure -j "$JOBS" "$@")
}

plain_pass() {
  run_pass "${BUILD_DIR:-build}" -- "$@"
}

# Any report from either sanitizer fails the test it happens in. Leaks are
# suppressed by module (GL driver, freeglut, D-Bus, SDL; sanitize/lsan.supp).
# A suppression matches any recorded frame of the allocation, so only the four
# frames nearest to it are recorded: a leak our code allocates inside a GLUT
# or SDL callback still shows. Raise malloc_context_size to see more.
sanitize_pass() {
  (
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:malloc_context_size=4:detect_stack_use_after_return=0:strict_init_order=1:check_initialization_order=1"
    export LSAN_OPTIONS="suppressions=$ROOT/sanitize/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    run_pass "${ASAN_BUILD_DIR:-build-asan}" -DVANTORIX_SANITIZE=ON -DVANTORIX_BUILD_BENCH=OFF -- "$@"
  )
}

case "$SANITIZE" in
  0) plain_pass "$@" ;;
  1) sanitize_pass "$@" ;;
  both) plain_pass "$@"; sanitize_pass "$@" ;;
  *) echo "SANITIZE must be 0, 1 or both" >&2; exit 2 ;;
esac
