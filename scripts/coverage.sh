#!/usr/bin/env bash
# Debug build with gcc coverage in build-coverage/, the whole suite run once,
# then lines and functions run per source folder.
#   scripts/coverage.sh               build, run, summarise
#   scripts/coverage.sh FILE...       also list FILE's functions no test runs
#   NO_RUN=1 scripts/coverage.sh ...  summarise the counters of the last run
# Extra CTest arguments go in CTEST_ARGS (e.g. CTEST_ARGS="-L unit").
set -euo pipefail
cd "$(dirname "$0")/.."

build=${COVERAGE_BUILD_DIR:-build-coverage}
JOBS=${JOBS:-$(nproc)}

if [ -z "${NO_RUN:-}" ]; then
  bash scripts/deps.sh
  export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vantorix-ccache}
  source scripts/xvfb.sh
  start_private_xvfb
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DVANTORIX_BUILD_BENCH=OFF \
    -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
    -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
  cmake --build "$build" -j "$JOBS"
  find "$build" -name '*.gcda' -delete
  # A failing test still leaves its counters; the summary is printed either way.
  status=0
  (cd "$build" && ctest -j "$JOBS" --output-on-failure ${CTEST_ARGS:-}) || status=$?
  python3 scripts/coverage_summary.py "$build" "$@"
  exit "$status"
fi
python3 scripts/coverage_summary.py "$build" "$@"
