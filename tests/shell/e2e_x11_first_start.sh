#!/usr/bin/env bash
# End to end on a real X server: a copy installed under a prefix, started for
# the first time (no settings, an empty program folder), shows its read-me
# from <prefix>/share/petari, and a click on one of the read-me's lines puts
# that line on the X clipboard.
set -u
built="$1"
. "$(dirname "$0")/x11_common.bash"

build=$(cd "$(dirname "$built")" && pwd)
DESTDIR="$tmp/inst" cmake --install "$build" --prefix /usr >"$tmp/install.log" 2>&1 ||
  { echo "cmake --install failed"; cat "$tmp/install.log"; echo "0 passed, 1 failed"; exit 1; }
petari="$tmp/inst/usr/bin/petari"
readme="$tmp/inst/usr/share/petari/ペタリ_はじめに読んでください.txt"
first_line=$(iconv -f CP932 -t UTF-8 "$readme" | head -n1 | tr -d '\r')

touch "$tmp/installed"
start_petari ''

# The read-me is the document: its first line is the one a Down key copies.
xdotool key Down
got=""
for _ in $(seq 1 30); do
  got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
  [ "$got" = "$first_line" ] && break
  sleep 0.2
done
passed=0 failed=0
if [ "$got" = "$first_line" ]; then passed=$((passed + 1))
else failed=$((failed + 1)); echo "clipboard held [$got] after Down, expected the read-me's first line [$first_line]"; fi

# A click on the list, a few lines further down, copies the line under the
# pointer: whatever line that is, it is one of the read-me's own.
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove --window "$wid" $((WIDTH / 3)) $((HEIGHT * 3 / 4)) click 1
sleep 0.3
got2=""
for _ in $(seq 1 30); do
  got2=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
  [ -n "$got2" ] && [ "$got2" != "$first_line" ] && break
  sleep 0.2
done
if [ -n "$got2" ] && [ "$got2" != "$first_line" ] &&
   iconv -f CP932 -t UTF-8 "$readme" | tr -d '\r' | grep -qxF -- "$got2"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1)); echo "a click copied [$got2], not another line of the read-me"
fi
stop_petari
# The installed copy wrote nothing beside itself.
if [ -z "$(find "$tmp/inst" -newer "$tmp/installed" -print -quit)" ]; then passed=$((passed + 1))
else failed=$((failed + 1)); echo "files written under the prefix:"; find "$tmp/inst" -newer "$tmp/installed"; fi
[ "$failed" -eq 0 ] || cat "$tmp/app.log"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
