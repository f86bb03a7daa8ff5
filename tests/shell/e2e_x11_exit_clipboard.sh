#!/usr/bin/env bash
# End to end on a real X server without a clipboard manager: the line copied
# last is still on the clipboard after petari quits; after a copy of nothing
# (which empties the clipboard) nothing is left behind.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

printf 'コピーの行\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 >"$tmp/lines.txt"
passed=0 failed=0
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$2], expected [$3]"; cat "$tmp/app.log"; fi
}
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
quit_petari() {
  xdotool key ctrl+q
  for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
  check "petari ended" "$(kill -0 "$app" 2>/dev/null && echo running)" ""
  wait "$app" 2>/dev/null
}

start_petari $'[F5]\ns2=0' "$tmp/lines.txt"
xdotool key Down
got=""
for _ in $(seq 1 20); do got=$(clipboard); [ "$got" = 'コピーの行' ] && break; sleep 0.2; done
check "the line is copied" "$got" 'コピーの行'
quit_petari
check "the line after petari quit" "$(clipboard)" 'コピーの行'

printf '%s' '外の文字' | xclip -i -selection clipboard
start_petari $'[F5]\ns2=0' "$tmp/lines.txt"
xdotool key ctrl+c
sleep 0.5
quit_petari
check "nothing after a copy of nothing" "$(clipboard)" ""

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
