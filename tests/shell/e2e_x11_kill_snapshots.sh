#!/usr/bin/env bash
# End to end on a real X server: the program is killed (SIGKILL) right after
# a burst of edits, while its writer still has snapshots to write.  Every
# snapshot file left on the disk must be whole (the very bytes of the state
# with its number) or absent, and the next run must undo and redo through
# its own snapshots only, never through what the killed run left.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

passed=0 failed=0
check() {   # name, condition result (0 = good), detail
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: $3"; cat "$tmp/app.log"
  fi
}

# 300,000 lines of about 30 bytes: each snapshot takes the writer a while.
big="$tmp/big.txt"
awk 'BEGIN { for (i = 1; i <= 300000; i++) printf "line %06d of the big list\r\n", i }' > "$big"

start_petari "" "$big"
# Each Home chooses the first line and each Delete removes it: snapshot n
# holds the file without its first n lines.
keys=()
for _ in $(seq 1 25); do keys+=(Home Delete); done
xdotool key --delay 5 "${keys[@]}"
kill -9 "$app"
wait "$app" 2>/dev/null

snapshots="$PETARI_HOME/作・ペタリ/mk_000"
whole=0 torn=0
for f in "$snapshots"/mk[0-9][0-9][0-9][0-9].txt; do
  [ -e "$f" ] || continue
  name=$(basename "$f" .txt)
  n=$((10#${name#mk}))
  if tail -n +$((n + 1)) "$big" | cmp -s - "$f"; then whole=$((whole + 1)); else
    torn=$((torn + 1)); echo "snapshot $n is not the state it names ($(stat -c %s "$f") bytes)"
  fi
done
check "snapshots whole or absent" "$torn" "$torn torn snapshot files"
[ "$whole" -ge 1 ]
check "the open's snapshot was written" $? "no snapshot file at all"
echo "killed run: $whole snapshot files whole, $(ls "$snapshots" | grep -c '\.txt\.') unfinished temporary files"

# The next run, every undo and redo from the files: it must see its own.
printf 's1\r\ns2\r\ns3\r\n' > "$tmp/small.txt"
export PETARI_UNDO_MEMORY=0
start_petari "" "$tmp/small.txt"
expect_clipboard() {
  local got=""
  for _ in $(seq 1 30); do
    got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null | tr -d '\r\n' || true)
    [ "$got" = "$2" ] && break
    sleep 0.2
  done
  check "$1" "$([ "$got" = "$2" ]; echo $?)" "clipboard held [$got], expected [$2]"
}
xdotool key Home Delete
sleep 0.5
left=$(ls "$snapshots" | grep -c '\.txt\.')
check "the next run clears what the killed writer left half-made" "$([ "$left" -eq 0 ]; echo $?)" "$left temporary files"
xdotool key ctrl+z
sleep 0.5
xdotool key End
expect_clipboard "undo reads this run's snapshot 0" "s3"
xdotool key Home
expect_clipboard "undo gives the deleted line back" "s1"
xdotool key ctrl+y
sleep 0.5
xdotool key Home
expect_clipboard "redo reads this run's snapshot 1" "s2"
# Redo past the newest step stays there instead of reaching the killed run's.
xdotool key ctrl+y ctrl+y
sleep 0.5
xdotool key End
expect_clipboard "nothing of the killed run" "s3"
xdotool key Home
expect_clipboard "still this run's newest" "s2"
stop_petari
unset PETARI_UNDO_MEMORY

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
