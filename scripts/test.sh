#!/usr/bin/env bash
# Sets the machine up, then builds and runs every test: once normally, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Ends with ctest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
for preset in debug asan; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset"
  if [ "$preset" = debug ]; then
    # Projects outside the repository using the engine: installed, from the build tree and as a
    # subdirectory, before the last phase so that ctest's summary stays the last line.
    bash scripts/consumers.sh build/debug
  fi
  if [ "$preset" = debug ] && command -v clang++ >/dev/null; then
    # A short libFuzzer run over the series data reader, before the last phase so that
    # ctest's summary stays the last line.
    echo "== fuzz smoke"
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DTWINSCOPE_FUZZ=ON -DTWINSCOPE_BENCH=OFF >/dev/null
    cmake --build build/fuzz --target series_data_fuzzer series_data_seeds -j2
    ctest --test-dir build/fuzz -R '^series_data_fuzz' --output-on-failure
  fi
done
