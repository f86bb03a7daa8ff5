#!/usr/bin/env bash
# A file whose name holds a byte that is not UTF-8 opens from the command
# line under its own name, with or without "--" before it.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

passed=0 failed=0
cd "$tmp"
name=$(printf 'lat\351.txt')
printf 'line of latin-1 name\r\n' > "$tmp/$name"
for args in "$name" "-- $name"; do
  # shellcheck disable=SC2086
  start_petari "" $args
  xdotool key Down
  want="line of latin-1 name"
  got=""
  for _ in $(seq 1 25); do
    got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$want" ] && break
    sleep 0.2
  done
  stop_petari
  if [ "$got" = "$want" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "petari $args: clipboard held [$got], expected [$want]"; cat "$tmp/app.log"
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
