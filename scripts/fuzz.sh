#!/usr/bin/env bash
# Builds the libFuzzer targets (clang++, build/fuzz) and runs each for a given time.
#   bash scripts/fuzz.sh [SECONDS_PER_FUZZER] [NAME ...]   default 300 s, every fuzzer
#   bash scripts/fuzz.sh --build-only
# Inputs found are kept in build/fuzz/fuzz/corpus/<name>; a failing input is written to
# build/fuzz/fuzz/<name>-crash-* (an input running 30 s or more: <name>-timeout-*) and the
# script stops with its status.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzzers=(series_data number_text date_text window_content readings_file command_line
  scale_conversion column_file chart_input database_address)
build=build/fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DTWINSCOPE_FUZZ=ON -DTWINSCOPE_BENCH=OFF >/dev/null
targets=(series_data_seeds text_seeds window_content_seeds readings_file_seeds command_line_seeds
  scale_conversion_seeds column_file_seeds chart_input_seeds database_address_seeds)
for f in "${fuzzers[@]}"; do targets+=("${f}_fuzzer"); done
cmake --build "$build" --target "${targets[@]}" -j2
[ "${1:-}" = --build-only ] && exit 0

seconds=${1:-300}
shift || true
[ $# -gt 0 ] && fuzzers=("$@")
ctest --test-dir "$build" -L fuzz -R '_seeds$' --output-on-failure >/dev/null
# The window's fuzzer meets the system font library, whose caches live for the whole run.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
for f in "${fuzzers[@]}"; do
  echo "== $f for $seconds s"
  corpus=$build/fuzz/corpus/$f
  mkdir -p "$corpus"
  "$build/fuzz/${f}_fuzzer" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/$f-" "$corpus" "$build/fuzz/seeds/$f"
done
