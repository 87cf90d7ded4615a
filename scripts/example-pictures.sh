#!/usr/bin/env bash
# Renders the pictures docs/library.md shows of the scale examples, by building those examples
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
cmake --build "$out" --target "${examples[@]/%/_chart}"
mkdir -p docs/examples
for example in "${examples[@]}"; do
  "$out/${example}_chart" "docs/examples/$example.png"
done
"$out/fahrenheit_celsius_chart" docs/examples/fahrenheit_celsius_aligned.png --aligned
