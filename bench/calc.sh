#!/usr/bin/env bash
# Builds the calculation benchmarks optimised and runs them: one whole run, and the number texts
# beside the bare standard conversions. Prints medians of five repetitions.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWARP_BUILD_WINDOW=OFF \
    -DWARP_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target warp_bench >/dev/null
build-release/bench/warp_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    "$@" 2>&1 | grep -E '^(Run on|Benchmark|-+$|BM_.*_median)'
