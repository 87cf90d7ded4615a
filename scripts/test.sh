#!/usr/bin/env bash
# Sets the machine up, then builds and runs every test: once normally, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Ends with ctest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
# A throwaway PostgreSQL cluster for the tests of series drawn by a database, stopped at the
# end however the script ends.
TWINSCOPE_TEST_POSTGRES=$(bash scripts/postgres-cluster.sh)
export TWINSCOPE_TEST_POSTGRES
trap 'bash scripts/postgres-cluster.sh stop "$TWINSCOPE_TEST_POSTGRES"' EXIT
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
    # Short libFuzzer runs over every fuzzer, before the last phase so that ctest's summary
    # stays the last line.
    echo "== fuzz smoke"
    bash scripts/fuzz.sh --build-only
    ctest --test-dir build/fuzz -L fuzz --output-on-failure
  fi
done
