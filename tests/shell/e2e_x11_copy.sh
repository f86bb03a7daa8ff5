#!/usr/bin/env bash
# End to end on a real X server: the real X clipboard read by an outside
# client.  Start petari on a CP932 file, press Down, read the clipboard with
# xclip: it must hold the first line converted as the settings say.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"

# "abc ｶﾞ ひらがな  " and a second line, in CP932.
printf 'abc \xb6\xde \x82\xd0\x82\xe7\x82\xaa\x82\xc8  \r\nsecond line\r\n' > "$tmp/first line.txt"
# Saved conversions: to full width, then hiragana to katakana; trailing blanks trimmed.
start_petari $'[F5]\n3=1\n5=1\nst_c31=1' "$tmp/first line.txt"
expected='ａｂｃ　ガ　ヒラガナ'

xdotool key Down
got=""
for _ in $(seq 1 30); do
  got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
  [ "$got" = "$expected" ] && break
  sleep 0.2
done
stop_petari
if [ "$got" != "$expected" ]; then
  echo "clipboard held [$got], expected [$expected]"
  cat "$tmp/app.log"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
