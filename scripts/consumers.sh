#!/usr/bin/env bash
# Builds a project that uses the engine the way a developer outside this repository would, in
# the three ways the engine offers: against an install (find_package with CMAKE_PREFIX_PATH),
# against a build tree (find_package with Twinscope_DIR) and with add_subdirectory. Each builds
# the examples, runs the one that renders a PNG without a window and checks the image.
# Usage: bash scripts/consumers.sh [engine build directory, default build/debug, already built]
set -euo pipefail
cd "$(dirname "$0")/.."
engine=${1:-build/debug}
out=build/consumers
export QT_QPA_PLATFORM=offscreen
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

rm -rf "$out/prefix"
cmake --install "$engine" --prefix "$out/prefix" >/dev/null
# The program installs beside the library, where a desktop finds it.
for f in bin/twinscope share/applications/twinscope.desktop \
         share/icons/hicolor/scalable/apps/twinscope.svg; do
  [ -f "$out/prefix/$f" ] || { echo "the install lacks $f" >&2; exit 1; }
done

consumer() {
  local name=$1
  shift
  echo "== consumer: $name"
  cmake -S tests/consumers -B "$out/$name" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" "$@" \
    >/dev/null
  cmake --build "$out/$name" -j2
  ctest --test-dir "$out/$name" --output-on-failure
}

consumer installed -DCMAKE_PREFIX_PATH="$PWD/$out/prefix"
consumer build-tree -DTwinscope_DIR="$PWD/$engine"
consumer subdirectory -DTWINSCOPE_SOURCE_DIR="$PWD"
