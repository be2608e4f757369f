#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs every one of them, then prints one table
# of the figures with their targets: median, min and max over each benchmark's repetitions.
# Timing belongs here only, never in the tests. The machine's load is printed before and after.
set -euo pipefail
cd "$(dirname "$0")/.."
# Headless: the benchmarks and the program they start paint offscreen.
export QT_QPA_PLATFORM=offscreen
export CCACHE_DIR="${CCACHE_DIR:-$PWD/.ccache}"
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# The benchmark programs and what they start; the tests are not built here.
targets=(r9vq-tn devsim bare_qt_window)
for f in bench/bench_*.cpp; do
  targets+=("$(basename "$f" .cpp)")
done
cmake --build build-bench -j "$(nproc)" --target "${targets[@]}"
out=build-bench/bench-results
rm -rf "$out"
mkdir -p "$out"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
for t in "${targets[@]}"; do
  [[ $t == bench_* ]] || continue
  b="build-bench/bench/$t"
  name="$t"
  echo "running $name" >&2
  # A crash or failure is shown in the table (no results), and the other benchmarks still run.
  "$b" --benchmark_out="$out/$name.json" --benchmark_out_format=json >"$out/$name.log" 2>&1 ||
    echo "$name ended with status $? (see $out/$name.log)" >&2
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 scripts/bench-table.py "$out"/*.json
