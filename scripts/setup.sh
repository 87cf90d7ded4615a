#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the program need;
# "setup.sh run" only those that building and running the program need.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev libqcustomplot-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev libqt6svg6 zlib1g-dev libfast-float-dev
  libqt6sql6-sqlite libqt6sql6-psql
  qt6-declarative-dev qml6-module-qtquick qml6-module-qtqml-workerscript
  fonts-liberation2 fonts-dejavu-core fontconfig
  xvfb xauth poppler-utils
  postgresql
)

# Needed only by the tests (poppler-utils reads the PDF pictures back; the QML example's scene
# needs the QtQuick module; PostgreSQL serves the tests of series drawn by a database), the
# benchmarks (QCustomPlot: the side-by-side benchmark alone),
# the fuzz target and faster rebuilds.
test_only=" libgtest-dev libgmock-dev googletest libbenchmark-dev libqcustomplot-dev clang libclang-rt-14-dev ccache poppler-utils qml6-module-qtquick qml6-module-qtqml-workerscript postgresql "

missing=()
for p in "${packages[@]}"; do
  [ "${1:-}" = run ] && [[ "$test_only" == *" $p "* ]] && continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
