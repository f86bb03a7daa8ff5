#!/usr/bin/env bash
# Captures the table builder window, with a table built from sizes (3 × 3
# cells) and a freehand stroke drawn with the mouse, into
# docs/table-builder.png.  Runs the window's widget test on a virtual X
# server and grabs the real window with ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PETARI_BUILD_DIR:-build}
command -v import >/dev/null || { echo "needs ImageMagick's import: apt-get install imagemagick" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "needs xvfb-run: apt-get install xvfb" >&2; exit 1; }
cmake --build "$build" --target petari_ui_tests
mkdir -p docs
out=$(pwd)/docs/table-builder.png
rm -f "$out"
PETARI_SCREENSHOT=$out QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 800x600x24" \
  "$build/tests/petari_ui_tests" --gtest_filter=TableWindowTest.Screenshot
[ -s "$out" ] || { echo "no screenshot taken" >&2; exit 1; }
echo "wrote $out ($(stat -c %s "$out") bytes)"
