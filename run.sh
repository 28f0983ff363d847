#!/usr/bin/env bash
# Builds ZUL Velquira and starts it; arguments go to the program (e.g. ./run.sh trabajo.zul).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/scripts/build.sh"
exec "$here/build/bin/velquira" "$@"
