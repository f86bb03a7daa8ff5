#!/usr/bin/env bash
# Configures and builds ペタリ into build/ (or $PETARI_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${PETARI_BUILD_DIR:-build}
launcher=()
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(cd .. && pwd)}
# Several work trees of the same sources build much faster through one cache.
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
