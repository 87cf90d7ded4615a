#!/usr/bin/env bash
# The column-file benchmarks: makes the column files of a random walk once (1e8 and 1e9
# points by default, 1.7 GB and 17 GB, under build/release/columns or TWINSCOPE_COLUMN_DIR;
# other counts as arguments), reads each once so that it is in the page cache, and runs the
# BM_ColumnFile cases on them in the release build. Each case ends as a ratio to the same case
# on the smallest file.
#
#   bash scripts/column-bench.sh [POINTS...] [-- benchmark arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
source scripts/bench-counts.sh "$@"
[ ${#counts[@]} -gt 0 ] || counts=(100000000 1000000000)
cmake --preset release >/dev/null
cmake --build --preset release --target twinscope_bench make-column-file
dir="${TWINSCOPE_COLUMN_DIR:-build/release/columns}"
mkdir -p "$dir"
files=()
for n in "${counts[@]}"; do
  file="$dir/walk-$n.columns"
  if [ ! -f "$file" ]; then
    echo "making $file"
    ./build/release/bench/make-column-file "$file" "$n"
  fi
  # Into the page cache: the goals are for a file read before.
  cat "$file" >/dev/null
  files+=("$file")
done
TWINSCOPE_COLUMN_FILES="$(IFS=:; echo "${files[*]}")" \
  ./build/release/bench/twinscope_bench --benchmark_filter=BM_ColumnFile ${args[@]+"${args[@]}"}
