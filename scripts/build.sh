#!/usr/bin/env bash
# Configures build/ and builds every target. Shared by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools \
  qt6-svg-dev libqt6svg6 qt6-pdf-dev libqt6pdf6 libgl-dev libcups2-dev libharfbuzz-dev zlib1g-dev pkg-config \
  fonts-liberation2 fonts-wine fontconfig qt6-translations-l10n librsvg2-bin
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j"$(nproc)"
