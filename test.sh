#!/usr/bin/env bash
# Builds ペタリ with its tests and runs every test (unit, widget, command-line,
# the Debian package and the end-to-end tests on a virtual X server and a
# Wayland compositor).  Installs what building and testing need.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh
cd "${PETARI_BUILD_DIR:-build}"
ctest --output-on-failure -j "$(nproc)" --timeout 600
