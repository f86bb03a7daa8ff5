#!/usr/bin/env bash
# End to end on a real X server with a window manager (openbox): a plain
# xterm runs `cat > file`, and with 「クリックした行を前のウィンドウに貼り付ける」
# on, a click on a line of petari puts exactly that line into the file.  The
# xterm family binds no key to the clipboard: a Ctrl+Shift+V would arrive as
# the control character ^V.  The settings name xterm among the Ctrl+Shift+V
# terminals, as lists stored by earlier versions do.
set -u
petari="$1"
. "$(dirname "$0")/x11_copies.bash"
. "$(dirname "$0")/atspi_common.bash"
copies="$(dirname "$0")/atspi_copies.py"
for tool in openbox xterm; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; echo "0 passed, 1 failed"; exit 1; }
done

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
# Waits up to 20 s for file $1 to hold the bytes of file $2, and a moment
# more for anything after them; prints the bytes it holds, in hexadecimal.
wait_bytes() {
  for _ in $(seq 1 100); do cmp -s "$1" "$2" && break; sleep 0.2; done
  sleep 0.5
  od -An -tx1 "$1" | tr -s ' \n' ' '
}
hex() { od -An -tx1 "$1" | tr -s ' \n' ' '; }

printf '貼り付ける行\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 > "$tmp/lines.txt"
printf '[F5]\ns2=0\ns10=1\ns11=xterm;URxvt;foot\n' > "$XDG_CONFIG_HOME/petari/petari.ini"
start_copy 1 "$tmp/lines.txt"

# Line editing off, so that the bytes reach the file as the terminal sends
# them, without an Enter; a ^V then arrives as itself.
: > "$tmp/pasted.txt"
LC_ALL=C.UTF-8 xterm -u8 -geometry 60x10+640+80 \
  -e sh -c 'stty -icanon min 1; exec cat > "$1"' sh "$tmp/pasted.txt" >"$tmp/xterm.log" 2>&1 &
pids+=("$!")
xterm_wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "$!" 2>/dev/null | head -n1)
[ -n "$xterm_wid" ] || { echo "xterm did not show a window"; cat "$tmp/xterm.log"; echo "0 passed, 1 failed"; exit 1; }
xdotool windowactivate --sync "$xterm_wid" 2>/dev/null
wait_active "$xterm_wid"
check "the xterm is the window the user types in" "$xterm_wid" "$(active)"

read -r x y < <("$atspi_python" "$copies" where "${copy_pid[1]}" '貼り付ける行')
xdotool mousemove --sync "$x" "$y" click 1
printf '貼り付ける行' > "$tmp/want1.txt"
check "the file receives the clicked line, nothing more" "$(hex "$tmp/want1.txt")" \
  "$(wait_bytes "$tmp/pasted.txt" "$tmp/want1.txt")"
check "the xterm has the focus back" "$xterm_wid" "$(active)"
check "the clipboard holds the line" '貼り付ける行' "$(clipboard)"

# Two lines gathered with Ctrl and pasted by Enter: one line break each.
read -r x y < <("$atspi_python" "$copies" where "${copy_pid[1]}" '二行目')
xdotool keydown ctrl mousemove --sync "$x" "$y" click 1 keyup ctrl
wait_active "${copy_wid[1]}"
xdotool key Return
printf '貼り付ける行貼り付ける行\n二行目\n' > "$tmp/want2.txt"
check "two lines arrive as two lines" "$(hex "$tmp/want2.txt")" "$(wait_bytes "$tmp/pasted.txt" "$tmp/want2.txt")"

[ "$failed" -eq 0 ] || cat "$tmp/copy1.log"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
