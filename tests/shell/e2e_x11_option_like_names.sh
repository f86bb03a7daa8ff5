#!/usr/bin/env bash
# Files whose names look like Qt's own options open as files: the window is
# not turned right to left, no other platform is chosen, the lines are there.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

cd "$tmp"
for name in -reverse -platform -stylesheet; do
  printf 'line of %s\r\n' "$name" > "$tmp/$name"
done
# After "--", and as an existing file without it.
for args in "-- -reverse" "-- -platform" "-stylesheet"; do
  # shellcheck disable=SC2086
  start_petari "" $args
  xdotool key Down
  expect_clipboard "petari $args" "line of ${args##* }"
  stop_petari
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
