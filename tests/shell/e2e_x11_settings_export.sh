#!/usr/bin/env bash
# End to end on a real X server: settings saved to a text file from one
# configuration folder through 設定 → レジストリの保存, read into an empty one
# through レジストリの読み込み; both settings files then hold the same keys
# and values (the running-copy counter "A1" aside).
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"

# Types a path into the file dialog that has just opened, and confirms it.
answer_file_dialog() {
  local dialog=""
  for _ in $(seq 1 150); do
    dialog=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
    [ -n "$dialog" ] && break
    sleep 0.2
  done
  [ -n "$dialog" ] || { echo "no file dialog"; return 1; }
  sleep 1
  xdotool key --window "$dialog" ctrl+a
  xdotool type --delay 15 "$2"
  xdotool key Return
}

wait_for() {  # seconds, command...
  local n=$(( $1 * 5 )); shift
  for _ in $(seq 1 "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}

export_file="$tmp/exported settings.txt"
start_petari $'[F5]\n1=1\n3=1\nst_t100=\'\'\ns1=80\nexe1=/usr/bin/gedit\nexe2=gedit\n[F1]\nrcrh0=2\n[F7]\nVisible=True\nt1=1980\n[okiniiri]\n1=/tmp/a, b.txt\n[rireki]\n1=/tmp/%percent.txt'
mkdir -p "$tmp/a"
press "レジストリの保存(S)"
answer_file_dialog "ペタリ" "$export_file"
wait_for 30 test -s "$export_file" || { echo "nothing exported"; cat "$tmp/app.log"; echo "0 passed, 1 failed"; exit 1; }
sleep 0.5
cp "$XDG_CONFIG_HOME/petari/petari.ini" "$tmp/a/petari.ini"
kill "$app"; wait "$app" 2>/dev/null

# No start-up file: the read-me it would open goes into the history
# before the import, which keeps the history it finds and adds the file's.
start_petari $'[F5]\ns2=0'
press "レジストリの読み込み(L)"
answer_file_dialog "ペタリ" "$export_file"
wait_for 30 grep -q 1980 "$XDG_CONFIG_HOME/petari/petari.ini" || { echo "nothing imported"; cat "$tmp/app.log"; }
sleep 0.5
kill "$app"; wait "$app" 2>/dev/null

# Keys and values per section, the running-copy counter left out.
entries() {
  awk '/^\[/ { section = $0; next } NF && section != "[A1]" { print section " " $0 }' "$1" | sort
}
echo "$(entries "$tmp/a/petari.ini" | wc -l) settings compared"
if diff <(entries "$tmp/a/petari.ini") <(entries "$XDG_CONFIG_HOME/petari/petari.ini"); then
  echo "1 passed, 0 failed"
else
  echo "settings differ after export and import (above)"
  echo "0 passed, 1 failed"
  exit 1
fi
