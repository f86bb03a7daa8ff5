#!/usr/bin/env bash
# End to end on a real X server: the snapshot files a run writes for undo go
# when it ends normally (終了, or the desktop's SIGTERM), and what a killed
# run left goes when the next run claims the folder.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

check() {   # name, expected, got
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$3], expected [$2]"; cat "$tmp/app.log"
  fi
}
ended() { for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.2; done; return 1; }
snapshots="$tmp/home/作・ペタリ/mk_000"
count() { find "$snapshots" -type f 2>/dev/null | wc -l; }

awk 'BEGIN { for (i = 1; i <= 20000; i++) printf "line %05d\r\n", i }' > "$tmp/doc.txt"
start_petari $'[F5]\ns2=0' "$tmp/doc.txt"
keys=()
for _ in $(seq 1 10); do keys+=(Home Delete); done
xdotool key --delay 50 "${keys[@]}"
sleep 1
# The open and ten deletes, their index and the folder's lock.
check "files while it runs" "13" "$(count)"
xdotool key ctrl+s
sleep 0.5
xdotool key ctrl+q
ended
check "ended by 終了" "0" "$?"
wait "$app"
check "exit status" "0" "$?"
check "files after 終了" "0" "$(count)"

# A killed run leaves its files; the next run clears them and keeps its own.
start_petari $'[F5]\ns2=0' "$tmp/doc.txt"
xdotool key --delay 50 Home Delete Home Delete
sleep 1
kill -9 "$app"
wait "$app" 2>/dev/null
check "files a killed run left" "5" "$(count)"
start_petari $'[F5]\ns2=0' "$tmp/doc.txt"
check "the next run's own files only" "3" "$(count)"
check "its open's snapshot" "$(od -c < "$tmp/doc.txt" | md5sum)" "$(od -c < "$snapshots/mk0000.txt" | md5sum)"
kill -TERM "$app"
ended
check "ended by SIGTERM" "0" "$?"
wait "$app"
check "files after SIGTERM" "0" "$(count)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
