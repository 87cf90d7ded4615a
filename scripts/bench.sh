#!/usr/bin/env bash
# Builds the benchmarks in the release preset and runs them; extra arguments go to Google
# Benchmark (for example --benchmark_filter=PaintSeries). The run ends with a table of every
# case as a ratio to its floor, measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
cmake --preset release >/dev/null
cmake --build --preset release --target twinscope_bench
./build/release/bench/twinscope_bench "$@"
