#!/usr/bin/env bash
# Sets the machine up, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target twinscope
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Twinscope is a desktop program and needs a display (X11 or Wayland); none is set." >&2
  echo "Without one it can run on a virtual display: xvfb-run build/release/twinscope" >&2
  exit 1
fi
exec build/release/twinscope "$@"
