#!/usr/bin/env bash
# The program measured from outside, as a user runs it: build/petari opens
# the benchmark files on a private Xvfb display, with settings, work folder
# and runtime folder of its own.  For each file: the time from start until
# its window shows (the file is read before the window is shown), beside
# iconv decoding the same file; the resident size (VmRSS) and its peak
# (VmHWM) once the window shows, less those of the program started on an
# empty file; and for the million-line file what 20 deletes add.  Times
# are medians of RUNS runs (5 unless set).
#
# usage: bench/outside_figures.sh [PETARI [MAINWINDOW_BENCH]]
set -euo pipefail
cd "$(dirname "$0")/.."
petari=$(realpath "${1:-build/petari}")
bench=$(realpath "${2:-build/bench/mainwindow_bench}")
for tool in Xvfb xdotool xdpyinfo iconv; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
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
[ -n "$display" ] || { echo "could not start Xvfb"; exit 1; }
export DISPLAY="$display"

QT_QPA_PLATFORM=offscreen "$bench" --write-data "$tmp"
: > "$tmp/empty.txt"

now() { date +%s.%N; }
status() { awk -v k="$2:" '$1 == k { printf "%.0f\n", $2 * 1024 }' "/proc/$1/status"; }

# Starts the program on a file and waits for its window; sets app, shown
# (seconds from start), rss and peak (bytes).
run() {
  export XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
  rm -rf "$XDG_CONFIG_HOME" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  : > "$XDG_CONFIG_HOME/petari/petari.ini"
  local start
  start=$(now)
  QT_QPA_PLATFORM=xcb "$petari" "$1" >"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  wid=""
  for _ in $(seq 1 6000); do
    wid=$(xdotool search --onlyvisible --pid "$app" --name 'ペタリ' 2>/dev/null | head -n1 || true)
    [ -n "$wid" ] && break
    sleep 0.02
  done
  [ -n "$wid" ] || { echo "the window did not show"; cat "$tmp/app.log"; exit 1; }
  shown=$(echo "$(now) - $start" | bc)
  # Painted and settled.
  sleep 1
  rss=$(status "$app" VmRSS)
  peak=$(status "$app" VmHWM)
  [ -n "$rss" ] || { echo "the program ended"; tail -n 20 "$tmp/app.log"; exit 1; }
}

stop() {
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
}

iconvSeconds() {
  local start
  start=$(now)
  iconv -f CP932 -t UTF-8 "$1" > /dev/null
  echo "$(now) - $start" | bc
}

# Times vary with what else the machine does: each is the median of $runs.
runs=${RUNS:-5}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

times=""
for _ in $(seq 1 "$runs"); do
  run "$tmp/empty.txt"
  times+="$shown"$'\n'
  stop
done
baseRss=$rss
baseShown=$(printf '%s' "$times" | median)
printf 'empty file: window after %.3f s, VmRSS %.1f MB\n' "$baseShown" "$(echo "$baseRss / 1000000" | bc -l)"

for name in mixed.txt one-character-lines.txt; do
  file="$tmp/$name"
  size=$(stat -c %s "$file")
  times="" convs=""
  for _ in $(seq 1 "$runs"); do
    convs+="$(iconvSeconds "$file")"$'\n'
    run "$file"
    times+="$shown"$'\n'
    stop
  done
  conv=$(printf '%s' "$convs" | median)
  run "$file"
  shown=$(printf '%s' "$times" | median)
  printf '%s (%.1f MB): window after %.3f s (%.3f s more than an empty file), iconv %.3f s: %.2f x iconv (%.2f net)\n' \
    "$name" "$(echo "$size / 1000000" | bc -l)" "$shown" "$(echo "$shown - $baseShown" | bc)" "$conv" \
    "$(echo "$shown / $conv" | bc -l)" "$(echo "($shown - $baseShown) / $conv" | bc -l)"
  printf '  memory after open %.2f x file, peak %.2f x file\n' \
    "$(echo "($rss - $baseRss) / $size" | bc -l)" "$(echo "($peak - $baseRss) / $size" | bc -l)"
  if [ "$name" = mixed.txt ]; then
    before=$rss
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    sleep 0.2
    # Home chooses the first line, Delete removes it.
    for _ in $(seq 1 20); do xdotool key --delay 150 Home Delete; done
    sleep 5
    rss=$(status "$app" VmRSS)
    # Each delete took a snapshot: the opened file's and 20 more.
    snapshots=$(ls "$PETARI_HOME"/*/mk_000/mk*.txt 2>/dev/null | wc -l)
    printf '  20 deletes (%d snapshots) add %.3f x file\n' "$snapshots" "$(echo "($rss - $before) / $size" | bc -l)"
  fi
  stop
done
