#!/usr/bin/env bash
# Builds a project that uses the engine the way a developer outside this repository would, in
# the three ways the engine offers: against an install (find_package with CMAKE_PREFIX_PATH),
# against a build tree (find_package with Twinscope_DIR) and with add_subdirectory; each with
# static and with shared libraries. Each builds the examples, runs the ones that render a PNG
# without a window and checks the images, and renders a frame of the Qt Quick example. Last, the
# render example and the image check are built with a plain g++ line from pkg-config against
# both installs.
# Usage: bash scripts/consumers.sh [engine build directory, default build/debug, already built]
# The shared libraries are built here, in build/shared (the libraries alone).
set -euo pipefail
cd "$(dirname "$0")/.."
engine=${1:-build/debug}
shared=build/shared
out=build/consumers
export QT_QPA_PLATFORM=offscreen
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

echo "== shared libraries"
cmake -S . -B "$shared" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" -DBUILD_SHARED_LIBS=ON \
  -DTWINSCOPE_PROGRAM=OFF -DTWINSCOPE_TESTS=OFF -DTWINSCOPE_BENCH=OFF -DTWINSCOPE_INSTALL=ON \
  >/dev/null
cmake --build "$shared" -j2

rm -rf "$out/prefix" "$out/prefix-shared"
cmake --install "$engine" --prefix "$out/prefix" >/dev/null
cmake --install "$shared" --prefix "$out/prefix-shared" >/dev/null
# The program installs beside the library, where a desktop finds it.
for f in bin/twinscope share/applications/twinscope.desktop \
         share/icons/hicolor/scalable/apps/twinscope.svg; do
  [ -f "$out/prefix/$f" ] || { echo "the install lacks $f" >&2; exit 1; }
done
# Each shared library names its version, and the names a consumer links with lead to it.
for lib in twinscope_core twinscope_qt twinscope_quick; do
  soname=$(objdump -p "$out/prefix-shared/lib/lib$lib.so" | awk '$1 == "SONAME" { print $2 }')
  [ "$soname" = "lib$lib.so.0.1" ] || { echo "lib$lib.so has the SONAME '$soname'" >&2; exit 1; }
done

consumer() {
  local name=$1 kind=$2
  shift 2
  echo "== consumer: $name, $kind libraries"
  cmake -S tests/consumers -B "$out/$name-$kind" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    "${launcher[@]}" "$@" >/dev/null
  cmake --build "$out/$name-$kind" -j2
  ctest --test-dir "$out/$name-$kind" --output-on-failure
  # The examples use the kind of library they were built against.
  local needed
  needed=$(objdump -p "$out/$name-$kind/examples/render_png_chart" | awk '$1 == "NEEDED"')
  if [[ "$needed" == *libtwinscope* ]]; then
    [ "$kind" = shared ] || { echo "$name: linked shared libraries" >&2; exit 1; }
  else
    [ "$kind" = static ] || { echo "$name: linked static libraries" >&2; exit 1; }
  fi
}

consumer installed static -DCMAKE_PREFIX_PATH="$PWD/$out/prefix"
consumer installed shared -DCMAKE_PREFIX_PATH="$PWD/$out/prefix-shared"
consumer build-tree static -DTwinscope_DIR="$PWD/$engine"
consumer build-tree shared -DTwinscope_DIR="$PWD/$shared"
consumer subdirectory static -DTWINSCOPE_SOURCE_DIR="$PWD"
consumer subdirectory shared -DTWINSCOPE_SOURCE_DIR="$PWD" -DBUILD_SHARED_LIBS=ON

# Without CMake: the compiler and linker flags from the installed pkg-config files.
for kind in static shared; do
  echo "== consumer: pkg-config, $kind libraries"
  prefix=$PWD/$out/prefix
  [ "$kind" = shared ] && prefix=$PWD/$out/prefix-shared
  dir=$out/pkg-config-$kind
  mkdir -p "$dir"
  export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
  g++ -std=c++20 examples/render_png/main.cpp -o "$dir/render_png_chart" -Wl,-rpath,"$prefix/lib" \
    $(pkg-config --cflags --libs twinscope-widgets)
  g++ -std=c++20 tests/consumers/CheckChartImage.cpp -o "$dir/check_chart_image" \
    -Wl,-rpath,"$prefix/lib" $(pkg-config --cflags --libs twinscope-core Qt6Gui)
  "$dir/render_png_chart" "$dir/chart.png"
  "$dir/check_chart_image" "$dir/chart.png" 1800 1000 left
done
