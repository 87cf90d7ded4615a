#!/usr/bin/env bash
# The readings-file benchmarks: makes a stored-readings CSV, a NOAA daily-summaries CSV and a
# GHCNh hourly file of a gigabyte each once (TWINSCOPE_READINGS_BYTES sets another size) in a temporary folder
# (TWINSCOPE_READINGS_DIR sets another), reads each once so that it is in the page cache, and
# runs the BM_ReadingsFile cases on them in the release build: each layout's memory pass, then
# its reading, with its speed as a ratio to the pass and its peak resident memory.
#
#   bash scripts/readings-bench.sh [benchmark arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
export TWINSCOPE_READINGS_DIR="${TWINSCOPE_READINGS_DIR:-${TMPDIR:-/tmp}/twinscope-readings}"
mkdir -p "$TWINSCOPE_READINGS_DIR"
cmake --preset release >/dev/null
cmake --build --preset release --target twinscope_bench
# The files are made when the benchmarks are registered; then into the page cache.
./build/release/bench/twinscope_bench --benchmark_list_tests=true >/dev/null
cat "$TWINSCOPE_READINGS_DIR"/*.csv "$TWINSCOPE_READINGS_DIR"/*.psv >/dev/null
./build/release/bench/twinscope_bench --benchmark_filter=BM_ReadingsFile \
  --benchmark_counters_tabular=true "$@"
