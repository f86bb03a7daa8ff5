#!/usr/bin/env bash
# End to end on a real X server, with 「ペタリ」の重複起動をしない。 on: later
# starts that hand their files over while the running copy asks about its
# unsaved list, or reports a missing file, wait their turn.  The copy keeps
# running and keeps the list when each question is cancelled, and SIGTERM
# then still ends it cleanly.
set -u
petari="$1"
. "$(dirname "$0")/x11_copies.bash"

printf 'a1\r\na2\r\n' > "$tmp/A.txt"
for n in 1 2 3; do printf 'e%s\r\n' "$n" > "$tmp/e$n.txt"; done
printf '[F5]\ns2=0\ns6=1\n' > "$XDG_CONFIG_HOME/petari/petari.ini"

alive() { kill -0 "${copy_pid[A]}" 2>/dev/null && echo yes || echo no; }
# The copy's window other than its main one (a question or a report), within $1 s.
dialog() {
  local w
  for _ in $(seq 1 $((${1:-20} * 5))); do
    w=$(xdotool search --onlyvisible --pid "${copy_pid[A]}" 2>/dev/null | grep -vx "${copy_wid[A]}" | head -n1)
    [ -n "$w" ] && { printf '%s' "$w"; return 0; }
    sleep 0.2
  done
  return 1
}
# Answers the open question or report with key $1; prints how many were answered.
answer_all() {
  local n=0 w
  while w=$(dialog 5); do
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    sleep 0.3
    xdotool key "$1"
    n=$((n + 1))
    sleep 1
    [ "$n" -ge 10 ] && break
  done
  printf '%s' "$n"
}
hand_over() {
  local rc=0 f
  for f in "$@"; do
    QT_QPA_PLATFORM=xcb timeout 30 "$petari" "$f" >>"$tmp/later.log" 2>&1 || rc=$?
  done
  printf '%s' "$rc"
}

start_copy A "$tmp/A.txt"
keys_to A Home Delete Home
check "the unsaved edit is made" a2 "$(clipboard)"
check "three starts hand their files over" 0 "$(hand_over "$tmp/e1.txt" "$tmp/e2.txt" "$tmp/e3.txt")"
check "each question cancelled" 3 "$(answer_all Escape)"
check "the copy still runs" yes "$(alive)"
keys_to A End
check "... with its unsaved list" a2 "$(clipboard)"

# A question open, more files waiting: SIGTERM ends the copy cleanly.
hand_over "$tmp/e1.txt" "$tmp/e2.txt" "$tmp/e3.txt" >/dev/null
dialog >/dev/null
kill -TERM "${copy_pid[A]}"
for _ in $(seq 1 100); do kill -0 "${copy_pid[A]}" 2>/dev/null || break; sleep 0.2; done
wait "${copy_pid[A]}"
check "SIGTERM with requests waiting ends with status 0" 0 "$?"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
