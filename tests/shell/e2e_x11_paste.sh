#!/usr/bin/env bash
# End to end on a real X server with a window manager (openbox): two copies
# of petari, the second one's input box holding the focus.  With
# 「クリックした行を前のウィンドウに貼り付ける」 on in the first, a click on one
# of its lines puts that line into the second copy's input box (read back
# over AT-SPI) and on the clipboard; `petari --show` then raises the first
# copy above the second; the calling key brings it back at the pointer, and
# Escape gives the focus back.
set -u
petari="$1"
. "$(dirname "$0")/x11_copies.bash"
. "$(dirname "$0")/atspi_common.bash"
copies="$(dirname "$0")/atspi_copies.py"
command -v openbox >/dev/null || { echo "missing openbox"; echo "0 passed, 1 failed"; exit 1; }

openbox >"$tmp/openbox.log" 2>&1 &
pids+=("$!")
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

active() { xdotool getactivewindow 2>/dev/null; }
# Waits up to 20 s for window $1 to be the active one.
wait_active() {
  for _ in $(seq 1 100); do [ "$(active)" = "$1" ] && return 0; sleep 0.2; done
  return 1
}
# Waits up to 30 s for the input box of copy $1 to hold $2; prints what it held.
wait_input() {
  local got=""
  for _ in $(seq 1 60); do
    got=$("$atspi_python" "$copies" input "${copy_pid[$1]}" 2>/dev/null)
    [ "$got" = "$2" ] && break
    sleep 0.5
  done
  printf '%s' "$got"
}

printf '貼り付ける行\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 > "$tmp/lines.txt"
: > "$tmp/empty.txt"
printf '[F5]\ns2=0\ns10=1\ns12=Ctrl+Shift+F9\n' > "$XDG_CONFIG_HOME/petari/petari.ini"

start_copy 1 "$tmp/lines.txt"
start_copy 2 "$tmp/empty.txt"
# Side by side, so that a click on the first copy's lines reaches them.
xdotool windowmove --sync "${copy_wid[2]}" 640 80 2>/dev/null
xdotool windowactivate --sync "${copy_wid[2]}" 2>/dev/null
wait_active "${copy_wid[2]}"
"$atspi_python" "$copies" focus-input "${copy_pid[2]}"
check "the second copy is the window the user types in" "${copy_wid[2]}" "$(active)"

read -r x y < <("$atspi_python" "$copies" where "${copy_pid[1]}" '貼り付ける行')
xdotool mousemove --sync "$x" "$y" click 1
check "the clicked line lands in the second copy's input box" '貼り付ける行' "$(wait_input 2 '貼り付ける行')"
check "the clipboard holds it too" '貼り付ける行' "$(clipboard)"
check "the second copy has the focus back" "${copy_wid[2]}" "$(active)"

# The first copy is behind the second: --show brings it to the front.
QT_QPA_PLATFORM=xcb timeout 60 "$petari" --show >"$tmp/show.log" 2>&1
check "--show exits 0" 0 "$?"
wait_active "${copy_wid[1]}"
check "--show raised the first copy" "${copy_wid[1]}" "$(active)"

# The calling key: from the second copy, the first comes to the pointer;
# Escape hides it and the second copy has the focus again.
xdotool windowactivate --sync "${copy_wid[2]}" 2>/dev/null
wait_active "${copy_wid[2]}"
xdotool mousemove --sync 900 700
xdotool key ctrl+shift+F9
wait_active "${copy_wid[1]}"
check "the calling key brings the first copy" "${copy_wid[1]}" "$(active)"
read -r wx wy < <(xdotool getwindowgeometry --shell "${copy_wid[1]}" | awk -F= '/^X=|^Y=/ { printf "%s ", $2 }')
check "... at the pointer" 1 "$([ "$wx" -gt 400 ] && [ "$wy" -gt 300 ] && echo 1)"
# The window manager may hand the keyboard over a moment after it marks the
# window active: a key sent in between goes nowhere, so it is sent again.
for _ in 1 2 3; do
  xdotool key Escape
  for _ in $(seq 1 25); do [ "$(active)" = "${copy_wid[2]}" ] && break 2; sleep 0.2; done
done
check "Escape gives the focus back" "${copy_wid[2]}" "$(active)"
check "... and hides the first copy" "" "$(xdotool search --onlyvisible --pid "${copy_pid[1]}" 2>/dev/null | head -n1)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
