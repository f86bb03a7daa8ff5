#!/usr/bin/env bash
# A file whose name holds a byte that is not UTF-8 opens from the command
# line under its own name, with or without "--" before it.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

cd "$tmp"
name=$(printf 'lat\351.txt')
printf 'line of latin-1 name\r\n' > "$tmp/$name"
for args in "$name" "-- $name"; do
  # shellcheck disable=SC2086
  start_petari "" $args
  xdotool key Down
  expect_clipboard "petari $args" "line of latin-1 name"
  stop_petari
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
