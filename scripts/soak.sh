#!/usr/bin/env bash
# Plays a long run of random window actions against the real window offscreen, with dates at
# the calendar's ends included.
#   bash scripts/soak.sh [ACTIONS] [SEED] [PRESET]   default 5000 actions, seed 1, preset asan
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-5000}
seed=${2:-1}
preset=${3:-asan}
export QT_QPA_PLATFORM=offscreen
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target window_soak
"./build/$preset/soak/window_soak" --actions "$actions" --seed "$seed"
