#!/usr/bin/env bash
# Sets the machine up for the program only, builds it and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh run
cmake -S . -B build/program -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWINSCOPE_TESTS=OFF \
  -DTWINSCOPE_BENCH=OFF >/dev/null
cmake --build build/program --target twinscope -j2
# Rendering into a file, the help and the version need no display; the window does.
needs_display=1
for a in "$@"; do
  case "$a" in --render|--render=*|-h|--help|-v|--version) needs_display=0 ;; esac
done
if [ "$needs_display" = 1 ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Twinscope is a desktop program and needs a display (X11 or Wayland); none is set." >&2
  echo "Without one it can run on a virtual display: xvfb-run build/program/twinscope" >&2
  echo "or draw its chart into a file: bash scripts/run.sh --render chart.png" >&2
  exit 1
fi
exec build/program/twinscope "$@"
