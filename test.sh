#!/usr/bin/env bash
# Builds ZUL Velquira and runs every test (headless).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
bash scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
