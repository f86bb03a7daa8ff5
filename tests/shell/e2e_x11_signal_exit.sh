#!/usr/bin/env bash
# End to end on a real X server: the desktop ends the program with SIGTERM
# (a logout, systemctl --user stop), SIGHUP or SIGINT.  It ends without a
# question, and as an exit does: the window's place, the history and the
# favourites are in petari.ini, "A1"/"No" is back to 0, the unsaved list is
# in a backup, and the copied line stays on the clipboard.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"
# With job control the program starts with SIGINT at its default, as from a
# terminal; a script's background job would ignore it.
set -m

passed=0 failed=0
check() {   # name, expected, got
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$3], expected [$2]"; cat "$tmp/app.log"
  fi
}
ini() { awk -v s="[$1]" -v k="$2" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && index($0, k "=") == 1 { print substr($0, length(k) + 2) }' "$XDG_CONFIG_HOME/petari/petari.ini"; }
ended() { for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.2; done; return 1; }

printf 'one\r\ntwo\r\nthree\r\n' > "$tmp/doc.txt"
for signal in TERM HUP INT; do
  start_petari $'[F5]\ns2=0' "$tmp/doc.txt"
  rm -rf "$PETARI_HOME/作・ペタリ/mk_backup"
  # Stored at once: the history when the file opened, the favourite when added.
  check "$signal: history stored on opening" "$tmp/doc.txt" "$(ini rireki 1)"
  press "追加　($tmp/doc.txt)(A)"
  for _ in $(seq 1 50); do [ -n "$(ini okiniiri 1)" ] && break; sleep 0.2; done
  check "$signal: favourite stored when added" "$tmp/doc.txt" "$(ini okiniiri 1)"
  check "$signal: this copy counted" "1" "$(ini A1 No)"
  xdotool windowmove "$wid" 200 300
  xdotool key Home Delete Home
  expect_clipboard "$signal: a line copied" "two"
  sleep 0.5

  kill -"$signal" "$app"
  ended
  check "$signal: ended without a question" "0" "$?"
  wait "$app"
  check "$signal: exit status" "0" "$?"
  check "$signal: copy number given back" "0" "$(ini A1 No)"
  top=$(ini F1 top) left=$(ini F1 Left)
  check "$signal: the window's place is stored" "yes" "$([ "${top:-0}" -ge 4000 ] && [ "${left:-0}" -ge 2500 ] && echo yes)"
  check "$signal: history kept" "$tmp/doc.txt" "$(ini rireki 1)"
  check "$signal: favourite kept" "$tmp/doc.txt" "$(ini okiniiri 1)"
  check "$signal: the unsaved list is backed up" "$(printf 'two\r\nthree\r\n' | od -c)" \
    "$(od -c < "$PETARI_HOME/作・ペタリ/mk_backup/バックアップ001.txt" 2>&1)"
  check "$signal: the copied line stays" "two" "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
