#!/usr/bin/env bash
# Runs one fuzz target under libFuzzer (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer), growing its corpus in a scratch folder.
#   scripts/fuzz.sh NAME [SECONDS] [extra libFuzzer flags...]
# New crashes land in build-fuzz/crashes/NAME/; copy the ones worth keeping
# into fuzz/corpus/NAME/ so the normal test run replays them.
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?usage: scripts/fuzz.sh NAME [SECONDS]}
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))

bash scripts/deps.sh
if ! command -v clang++ >/dev/null || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
  sudo_=""; [ "$(id -u)" -ne 0 ] && sudo_=sudo
  $sudo_ apt-get install -y -q --no-install-recommends clang libclang-rt-14-dev
fi

build=build-fuzz
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/vantorix-ccache}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -fsanitize=fuzzer-no-link"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTORIX_LIBFUZZER=ON -DVANTORIX_BUILD_TESTS=OFF -DVANTORIX_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target "${name}_fuzz"

work="$build/corpus/$name"; crashes="$build/crashes/$name"
mkdir -p "$work" "$crashes"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
"$build/fuzz/${name}_fuzz" -max_total_time="$seconds" -artifact_prefix="$crashes/" \
  -print_final_stats=1 "$@" "$work" "fuzz/corpus/$name"
