#!/usr/bin/env bash
# End to end on a real X server: Ctrl+V into the input box every 20 ms for
# 20 seconds while other programs keep taking the clipboard (each xclip
# serves one request and leaves).  Qt's own paste crashed under this; the
# program must live on, and the box must hold what it pasted.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

printf 'one\r\ntwo\r\n' > "$tmp/a.txt"
start_petari "" "$tmp/a.txt"
# Into the input box, right of the four buttons under the favourites bar.
xdotool mousemove --window "$wid" 150 60 click 1
sleep 0.5

end=$((SECONDS + 20))
(
  for i in $(seq 1 100000); do
    [ $SECONDS -ge $end ] && break
    printf "c$i" | timeout 2 xclip -selection clipboard -i -l 1 &
    sleep 0.02
  done
  wait
) &
clipboard_spam=$!
while [ $SECONDS -lt $end ]; do
  xdotool key --window "$wid" ctrl+v 2>/dev/null || xdotool key ctrl+v
  sleep 0.02
  kill -0 "$app" 2>/dev/null || break
done
wait "$clipboard_spam" 2>/dev/null

failed=0
if ! kill -0 "$app" 2>/dev/null; then
  wait "$app"; echo "the program died (exit $?) while pasting"; cat "$tmp/app.log"; exit 1
fi
# What the box holds, through its own copy: nothing but pasted pieces.
xdotool key ctrl+a ctrl+c
sleep 0.5
got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null)
if ! printf '%s' "$got" | grep -Eq '^(c[0-9]+)+$'; then
  echo "the input box holds [${got:0:80}], not the pasted pieces"; failed=1
fi
echo "pasted ${#got} characters"
stop_petari
[ "$failed" -eq 0 ]
