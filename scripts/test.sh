#!/usr/bin/env bash
# Sets Glyphor up (packages, build) and runs every test: unit, widget, end-to-end and the
# benchmark's quick mode.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cd "${GLYPHOR_BUILD_DIR:-build}"
ctest --output-on-failure -j2 "$@"
