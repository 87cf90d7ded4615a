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
done
