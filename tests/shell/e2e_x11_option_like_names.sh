#!/usr/bin/env bash
# Files whose names look like Qt's own options open as files: the window is
# not turned right to left, no other platform is chosen, the lines are there.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

passed=0 failed=0
cd "$tmp"
for name in -reverse -platform -stylesheet; do
  printf 'line of %s\r\n' "$name" > "$tmp/$name"
done
# After "--", and as an existing file without it.
for args in "-- -reverse" "-- -platform" "-stylesheet"; do
  # shellcheck disable=SC2086
  start_petari "" $args
  xdotool key Down
  want="line of ${args##* }"
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
