#!/usr/bin/env bash
# End to end on a real X server: text an outside client puts on the clipboard
# reaches the input box within a second (mode 1), and is appended in modes 2
# and 3.  The input box is read back by clicking it and copying its text.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

put_clipboard() {
  printf '%s' "$1" | xclip -i -selection clipboard
  sleep 1   # the monitor looks every 200 ms; a second is the promise
}

read_input_box() {
  # The input box sits to the right of the four buttons, below the menu bar.
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  xdotool mousemove $((X + 160)) $((Y + 80)) click 1
  sleep 0.3
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  timeout 5 xclip -o -selection clipboard 2>/dev/null | tr -d '\r'
}

passed=0 failed=0
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: input box held [$2], expected [$3]"; cat "$tmp/app.log"; fi
}

start_petari $'[F5]\n20=1'
put_clipboard 'モニター一'
put_clipboard 'モニター二'
check "mode 1" "$(read_input_box)" 'モニター二'
stop_petari

start_petari $'[F5]\n21=1'
put_clipboard 'A'
put_clipboard 'B'
check "mode 2" "$(read_input_box)" 'AB'
stop_petari

start_petari $'[F5]\n22=1'
put_clipboard 'A'
put_clipboard 'B'
check "mode 3" "$(read_input_box)" $'A\nB'
stop_petari

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
