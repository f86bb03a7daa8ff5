#!/usr/bin/env bash
# Builds ペタリ and runs every test (unit, widget, command-line and the
# end-to-end tests on a virtual X server).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh
cd "${PETARI_BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" --timeout 600
