#!/usr/bin/env bash
# Builds the benchmarks in the release preset and runs them; extra arguments go to Google
# Benchmark (for example --benchmark_filter=PaintSeries). The run ends with a table of every
# case as a ratio to its floors and as the speed-up over them, measured in the same run, in CPU
# time (the medians with --benchmark_repetitions): the repaints of the program's chart against a
# blit of its image, and with --peers QCustomPlot's replot against Twinscope's paint.
#
#   --big     the big-series and streaming cases also at 1e8 and 2e8 points (about 7 GB of
#             memory and several minutes; TWINSCOPE_BENCH_LARGEST=<points> sets another size)
#   --peers   instead, Twinscope side by side with QCustomPlot (libqcustomplot-dev) at 1e6
#             and 1e7 points, each Twinscope case as a ratio to QCustomPlot's replot
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
program=twinscope_bench
args=()
for a in "$@"; do
  case "$a" in
    --big) export TWINSCOPE_BENCH_LARGEST="${TWINSCOPE_BENCH_LARGEST:-200000000}" ;;
    --peers) program=twinscope_peer_bench ;;
    *) args+=("$a") ;;
  esac
done
cmake --preset release >/dev/null
cmake --build --preset release --target "$program"
"./build/release/bench/$program" ${args[@]+"${args[@]}"}
