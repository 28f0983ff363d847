#!/usr/bin/env bash
# Builds ZUL Velquira and runs every test (headless). Also starts a CUPS
# server with a virtual PDF printer of the tests' own, for the end-to-end
# printing tests.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
# No include may run upward between the layers of src/ (scripts/capas.py),
# and the sources keep the house format (scripts/formato.sh).
bash scripts/deps.sh python3 poppler-utils qpdf
python3 scripts/capas.py
bash scripts/formato.sh
# What test_instalacion checks the installed files and the .deb with.
bash scripts/deps.sh desktop-file-utils appstream shared-mime-info libglib2.0-bin man-db \
  bsdextrautils dpkg-dev
bash scripts/build.sh
bash scripts/cups.sh
export VELQUIRA_COLA=VelquiraPrueba
export VELQUIRA_COLA_DIR=/var/spool/velquira-pdf
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
