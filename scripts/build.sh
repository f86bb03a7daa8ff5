#!/usr/bin/env bash
# Configures and builds ペタリ into build/ (or $PETARI_BUILD_DIR).
#   scripts/build.sh [CMAKE-OPTION...]    everything: the program, its tests,
#                                         the benchmarks and the PNG icons
#   scripts/build.sh --program            the program alone, as run.sh does
# Either installs the Debian packages it needs first (scripts/deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PETARI_BUILD_DIR:-build}
launcher=()
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(cd .. && pwd)}
# Several work trees of the same sources build much faster through one cache.
if [ "${1:-}" = --program ]; then
  shift
  bash scripts/deps.sh run
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  # A new build folder gets the program alone; one that test.sh configured
  # keeps its options, so the two commands share one folder without
  # configuring it afresh each time.
  options=()
  if [ ! -f "$build/CMakeCache.txt" ]; then
    options=(-DPETARI_TESTS=OFF -DPETARI_BENCH=OFF -DPETARI_PNG_ICONS=OFF)
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${options[@]}" "$@" >/dev/null
  cmake --build "$build" -j "$(nproc)" --target petari
else
  bash scripts/deps.sh test
  if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DPETARI_TESTS=ON -DPETARI_BENCH=ON -DPETARI_PNG_ICONS=ON "$@" >/dev/null
  cmake --build "$build" -j "$(nproc)"
fi
