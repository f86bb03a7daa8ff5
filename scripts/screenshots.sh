#!/usr/bin/env bash
# Refreshes the README's screenshots in docs/: starts the built program on a
# private Xvfb display with the read-me as its document, opens each window
# to capture and saves it as a PNG.
#
#   scripts/screenshots.sh                 # the default list below
#   scripts/screenshots.sh 'FILE|TITLE|KEYS' ...
#
# Each shot is FILE (a PNG name in docs/), TITLE (the caption of the window
# to capture) and KEYS (xdotool key names, blank-separated, typed into the
# main window first to open that window; empty for the main window itself).
# Every shot starts a fresh copy of the program with fresh settings.
# Needs Xvfb, xdotool and ImageMagick (apt-get install imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

shots=("$@")
if [ ${#shots[@]} -eq 0 ]; then
  shots=(
    # The main window with the read-me; Down selects (and copies) its first line.
    'screenshot-main.png|ペタリ|Down'
    # ヘルプ → バージョン情報: Alt reaches the menu bar, Left wraps to its last menu.
    'screenshot-version.png|バージョン情報|alt Left Down End Return'
  )
fi

build=${PETARI_BUILD_DIR:-build}
[ -x "$build/petari" ] || bash scripts/build.sh
petari=$(cd "$build" && pwd)/petari
for tool in Xvfb xdotool xdpyinfo import convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install xvfb xdotool x11-utils imagemagick)"; exit 1; }
done

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=("$!")
display=""
for _ in $(seq 1 100); do
  n=$(tr -dc '0-9' < "$tmp/display" 2>/dev/null || true)
  if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
  sleep 0.1
done
[ -n "$display" ] || { echo "could not start Xvfb"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY="$display" QT_QPA_PLATFORM=xcb

readme="$root/data/ペタリ_はじめに読んでください.txt"
mkdir -p docs
for shot in "${shots[@]}"; do
  IFS='|' read -r file title keys <<<"$shot"
  export XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/petari" XDG_RUNTIME_DIR="$tmp/run"
  rm -rf "$XDG_CONFIG_HOME" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  # 640 × 480 pixels: large enough to read, small enough for the README.
  printf '[F1]\nWidth=9600\nHeight=7200\n' > "$XDG_CONFIG_HOME/petari/petari.ini"

  "$petari" "$readme" >"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  main=$(timeout 20 xdotool search --sync --onlyvisible --name '^ペタリ$' | head -n1 || true)
  [ -n "$main" ] || { echo "$file: the main window did not appear"; cat "$tmp/app.log"; exit 1; }
  sleep 1
  xdotool windowfocus --sync "$main" 2>/dev/null || true
  for key in $keys; do xdotool key "$key"; sleep 0.3; done
  wid=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" | tail -n1 || true)
  [ -n "$wid" ] || { echo "$file: no window titled $title appeared"; cat "$tmp/app.log"; exit 1; }
  sleep 1
  import -window "$wid" "$tmp/shot.png"
  # A palette of 64 colours keeps anti-aliased text sharp and the file small.
  convert "$tmp/shot.png" -strip -dither None -colors 64 "PNG8:docs/$file"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
  echo "docs/$file: $(stat -c %s "docs/$file") bytes"
done
