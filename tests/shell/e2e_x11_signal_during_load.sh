#!/usr/bin/env bash
# End to end on a real X server: SIGTERM or SIGHUP while a file of some
# hundred megabytes opens.  The program stops reading and ends within two
# seconds, as an exit does ("A1"/"No" back to 0), with no snapshot of the
# half-read document and no backup of it.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

passed=0 failed=0
check() {   # name, expected, got
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$3], expected [$2]"; cat "$tmp/app.log"
  fi
}
ini() { awk -v s="[$1]" -v k="$2" '$0 == s { on = 1; next } /^\[/ { on = 0 } on && index($0, k "=") == 1 { print substr($0, length(k) + 2) }' "$XDG_CONFIG_HOME/petari/petari.ini"; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

# 400 MB of short lines: reading and decoding them takes seconds.
big="$tmp/big.txt"
yes $'one line of the large file, to be read for a while\r' | head -c 400000000 > "$big"
export XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
for signal in TERM HUP; do
  rm -rf "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$PETARI_HOME"
  mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  printf '[F5]\ns2=0\n' > "$XDG_CONFIG_HOME/petari/petari.ini"
  QT_QPA_PLATFORM=xcb "$petari" "$big" >"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  # Under way once it holds a good part of the file.
  reading=no
  for _ in $(seq 1 2000); do
    [ "$(rss_kb "$app")" -gt 200000 ] && { reading=yes; break; }
    kill -0 "$app" 2>/dev/null || break
    sleep 0.01
  done
  check "$signal: the file is being read" "yes" "$reading"
  sent=$(date +%s%N)
  kill -"$signal" "$app"
  for _ in $(seq 1 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.02; done
  took=$(( ($(date +%s%N) - sent) / 1000000 ))
  check "$signal: ended within 2 s (took $took ms)" "yes" "$([ "$took" -le 2000 ] && echo yes)"
  kill -9 "$app" 2>/dev/null
  wait "$app"
  check "$signal: exit status" "0" "$?"
  check "$signal: copy number given back" "0" "$(ini A1 No)"
  check "$signal: no snapshot and no backup" "" \
    "$(find "$PETARI_HOME" -name 'mk[0-9]*.txt*' -o -name 'バックアップ*' 2>/dev/null)"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
