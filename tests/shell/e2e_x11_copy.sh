#!/usr/bin/env bash
# End to end on a real X server: the real X clipboard read by an outside
# client.  Start petari on a CP932 file, press Down, read the clipboard with
# xclip: it must hold the first line converted as the settings say.
set -u
petari="$1"
for tool in Xvfb xdotool xclip xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

tmp=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

display=""
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 1 50); do
    xdpyinfo -display ":$n" >/dev/null 2>&1 && { display=":$n"; break; }
    sleep 0.1
  done
  [ -n "$display" ] && break
  kill "$xvfb" 2>/dev/null; xvfb=""
done
[ -n "$display" ] || { echo "could not start Xvfb"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY="$display"

export XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Saved conversions: to full width, then hiragana to katakana.
cat > "$XDG_CONFIG_HOME/petari/petari.ini" <<'INI'
[F5]
3=1
5=1
st_c31=1
INI
# "abc ｶﾞ ひらがな  " and a second line, in CP932.
printf 'abc \xb6\xde \x82\xd0\x82\xe7\x82\xaa\x82\xc8  \r\nsecond line\r\n' > "$tmp/first line.txt"
expected='ａｂｃ　ガ　ヒラガナ'

QT_QPA_PLATFORM=xcb "$petari" "$tmp/first line.txt" >"$tmp/app.log" 2>&1 &
app=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'ペタリ' 2>/dev/null | head -n1)
[ -n "$wid" ] || { echo "window did not appear"; cat "$tmp/app.log"; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$wid" 2>/dev/null || true
sleep 0.3
xdotool key Down
got=""
for _ in $(seq 1 30); do
  got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
  [ "$got" = "$expected" ] && break
  sleep 0.2
done
if [ "$got" != "$expected" ]; then
  echo "clipboard held [$got], expected [$expected]"
  cat "$tmp/app.log"
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
