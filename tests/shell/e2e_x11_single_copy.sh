#!/usr/bin/env bash
# End to end on a real X server: the window carries its icon; with
# 「ペタリ」の重複起動をしない。 on, a second `petari B.txt` hands B.txt to the
# running copy and exits 0, and that copy shows B.txt's lines; `petari --show`
# raises the running copy above another window; a killed copy's socket does
# not stop the next start; `--show` with no copy running starts one.
set -u
petari="$1"
. "$(dirname "$0")/x11_copies.bash"
command -v xprop >/dev/null || { echo "missing xprop"; exit 1; }

printf 'a1\r\na2\r\n' > "$tmp/A.txt"
printf 'b1\r\nb2\r\nb3\r\n' > "$tmp/B.txt"
printf 'c1\r\n' > "$tmp/C.txt"
ini="$XDG_CONFIG_HOME/petari/petari.ini"
printf '[F5]\ns2=0\ns6=1\n' > "$ini"
refuse_duplicates() { sed -i "s/^s6=.*/s6=$1/" "$ini"; }

# The topmost of the given windows (xwininfo lists the root's children top first).
topmost() {
  local order w best="" best_at=999999 at
  order=$(xwininfo -root -children | awk '/^ +0x/ { print $1 }')
  for w in "$@"; do
    at=$(grep -nx "$(printf '0x%x' "$w")" <<<"$order" | cut -d: -f1)
    [ -n "$at" ] && [ "$at" -lt "$best_at" ] && { best=$w; best_at=$at; }
  done
  printf '%s' "$best"
}
# Waits up to 20 s for window $1 to be the topmost of the rest.
wait_topmost() {
  local want=$1; shift
  for _ in $(seq 1 100); do
    [ "$(topmost "$want" "$@")" = "$want" ] && return 0
    sleep 0.2
  done
  return 1
}

start_copy A "$tmp/A.txt"
icon=$(xprop -len 2000000 -id "${copy_wid[A]}" _NET_WM_ICON 2>&1)
check "the window carries a 16 px icon" 1 "$(grep -c 'Icon (16 x 16)' <<<"$icon")"
check "... and a 256 px one" 1 "$(grep -c 'Icon (256 x 256)' <<<"$icon")"

# A second start with the file: handed over, exit status 0, no window of its own.
(cd "$tmp" && QT_QPA_PLATFORM=xcb timeout 60 "$petari" B.txt >"$tmp/second.log" 2>&1)
check "the second start exits 0" 0 "$?"
keys_to A Home
check "the first copy shows B.txt's first line" b1 "$(clipboard)"
keys_to A End
check "... and its last" b3 "$(clipboard)"

# Another copy in front; --show raises the first one above it.
refuse_duplicates 0
start_copy C "$tmp/C.txt"
xdotool windowraise "${copy_wid[C]}"
wait_topmost "${copy_wid[C]}" "${copy_wid[A]}"
check "the new copy is in front" "${copy_wid[C]}" "$(topmost "${copy_wid[A]}" "${copy_wid[C]}")"
QT_QPA_PLATFORM=xcb timeout 60 "$petari" --show >"$tmp/show.log" 2>&1
check "--show exits 0" 0 "$?"
wait_topmost "${copy_wid[A]}" "${copy_wid[C]}"
check "--show raised the running copy" "${copy_wid[A]}" "$(topmost "${copy_wid[A]}" "${copy_wid[C]}")"

# The listening copy is killed: its socket stays, and answers nobody.  The
# next start with duplicates refused (copy C still runs) opens its file itself.
kill -9 "${copy_pid[A]}"
wait "${copy_pid[A]}" 2>/dev/null
refuse_duplicates 1
start_copy D "$tmp/B.txt"
keys_to D End
check "a start after a killed copy opens its own file" b3 "$(clipboard)"
# ... and took the channel over: --show raises it above copy C.
xdotool windowraise "${copy_wid[C]}"
wait_topmost "${copy_wid[C]}" "${copy_wid[D]}"
QT_QPA_PLATFORM=xcb timeout 60 "$petari" --show >"$tmp/show2.log" 2>&1
check "--show exits 0 again" 0 "$?"
wait_topmost "${copy_wid[D]}" "${copy_wid[C]}"
check "--show raised the copy that took the channel over" "${copy_wid[D]}" "$(topmost "${copy_wid[D]}" "${copy_wid[C]}")"

# With no copy running, --show starts one.
for c in C D; do kill "${copy_pid[$c]}" 2>/dev/null; wait "${copy_pid[$c]}" 2>/dev/null; done
QT_QPA_PLATFORM=xcb "$petari" --show >"$tmp/show3.log" 2>&1 &
shown=$!
pids+=("$shown")
w=$(timeout 30 xdotool search --sync --onlyvisible --pid "$shown" 2>/dev/null | head -n1)
check "--show with no copy running starts one" 1 "$([ -n "$w" ] && echo 1)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
