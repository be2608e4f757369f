#!/usr/bin/env bash
# Builds and runs every test: the normal build, the sanitizer build, the ThreadSanitizer build of the
# headless tests and a short run of each fuzz target. R9_TEST_TIME_SCALE widens the tests' shortened
# answer windows: twice even in the normal build, so that a busy machine's stall of a few hundred ms
# is not taken for a silent device; more where a sanitizer slows the code down.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export CCACHE_DIR="${CCACHE_DIR:-$PWD/.ccache}"

scripts/check-format.sh
scripts/check-layering.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
R9_TEST_TIME_SCALE=2 ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DR9_SANITIZE=ON -DR9_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" R9_TEST_TIME_SCALE=4 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

# The UI side is not instrumented for threads: this build holds the headless libraries and tests only.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR9_TSAN=ON
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS="second_deadlock_stack=1 history_size=4" R9_TEST_TIME_SCALE=5 \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs"

if ls fuzz/*.cpp >/dev/null 2>&1; then
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DR9_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
  cmake --build build-fuzz -j "$jobs"
  for f in fuzz/*.cpp; do
    n=$(basename "$f" .cpp)
    corpus="fuzz/corpus/$n"
    work="build-fuzz/corpus-$n"
    mkdir -p "$work"
    [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/ 2>/dev/null || true
    echo "fuzz $n"
    "build-fuzz/fuzz/$n" -max_total_time="${R9_FUZZ_SECONDS:-20}" -print_final_stats=1 "$work"
  done
fi
echo "All tests passed."
