#!/usr/bin/env bash
# End to end on a real X server, with settings the program cannot take as
# they are.  A stored size of -1 still opens a window that shows the line
# list and the input area.  A petari.ini that is a named pipe or a folder is
# never opened (a pipe would hold the start for ever): a message names it,
# the program starts with the defaults, and the pipe or folder stays.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"
drive() { timeout 90 "$atspi_python" "$(dirname "$0")/atspi_drive.py" "$@"; }
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$2], expected [$3]"; cat "$tmp/app.log"
  fi
}

start_petari $'[F1]\nHeight=-1\nWidth=-1\ntop=0\nLeft=0'
read -r _ wy _ wh < <(drive extents ペタリ)
for control in 行の一覧 入力場所; do
  read -r _ y _ h < <(drive extents "$control")
  shown=no
  [ "${h:-0}" -ge 40 ] && [ "$y" -ge "$wy" ] && [ $((y + h)) -le $((wy + wh)) ] && shown=yes
  check "$control within a window of stored size -1" "$shown" yes
done
stop_petari

for kind in pipe folder; do
  export XDG_CONFIG_HOME="$tmp/config-$kind" PETARI_HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
  mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  ini="$XDG_CONFIG_HOME/petari/petari.ini"
  if [ "$kind" = pipe ]; then mkfifo "$ini"; else mkdir "$ini"; fi
  QT_QPA_PLATFORM=xcb "$petari" >"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  # A slow start (a sanitized build) shows the message later: look again.
  named=0
  for _ in $(seq 1 20); do
    named=$(drive labels | grep -cxF "$ini")
    [ "$named" -ge 1 ] && break
    sleep 1
  done
  check "the $kind is named" "$named" 1
  drive press OK
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'ペタリ' 2>/dev/null | head -n1)
  check "the window opens after the $kind" "$([ -n "$wid" ] && echo yes)" yes
  stop_petari
  check "the $kind stays" "$( { [ -p "$ini" ] || [ -d "$ini" ]; } && echo yes)" yes
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
