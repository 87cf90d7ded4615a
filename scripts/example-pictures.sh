#!/usr/bin/env bash
# Renders the pictures docs/library.md shows of the scale and climate examples, by building them
# against an engine build tree and running them without a display; each saves its own picture.
# Usage: bash scripts/example-pictures.sh [engine build directory, default build/debug, configured]
set -euo pipefail
cd "$(dirname "$0")/.."
engine=${1:-build/debug}
out=build/example-pictures
examples=(fahrenheit_celsius frequency_period four_years sqrt_axis linked)
export QT_QPA_PLATFORM=offscreen
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake --build "$engine" --target twinscope_qt
cmake -S examples -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
  -DTwinscope_DIR="$PWD/$engine" >/dev/null
cmake --build "$out" --target "${examples[@]/%/_chart}" climate_chart
mkdir -p docs/examples
for example in "${examples[@]}"; do
  "$out/${example}_chart" "docs/examples/$example.png"
done
# The climate example reads the sample of NOAA's daily summaries and saves two pictures.
"$out/climate_chart" docs/samples/noaa-cdo-daily-2019-2024.csv docs/examples/climate_daily.png \
  docs/examples/climate_years.png
"$out/fahrenheit_celsius_chart" docs/examples/fahrenheit_celsius_aligned.png --aligned
