#!/usr/bin/env bash
# End to end on a headless sway: with 「クリックした行を前のウィンドウに貼り付ける」
# on, a line chosen in petari with Enter is pasted into the terminal (foot)
# the user came from, with Ctrl+Shift+V as terminals want, and stays on the
# clipboard; the terminal has the focus again.  The terminal runs cat into a
# file, with the line discipline passing each byte on at once.
set -u
petari="$1"
. "$(dirname "$0")/wayland_common.bash"

printf 'ペースト行\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 >"$tmp/lines.txt"
: >"$tmp/out.txt"
chmod 644 "$tmp/lines.txt"
chown "$owner" "$tmp/out.txt"

in_session foot sh -c "stty -icanon -echo; exec cat > '$tmp/out.txt'" >"$tmp/foot.log" 2>&1 &
pids+=("$!")
wait_window foot || { echo "foot did not appear"; cat "$tmp/foot.log"; exit 1; }
start_petari $'[F5]\ns2=0\ns10=1' "$tmp/lines.txt"
in_session swaymsg '[app_id="foot"] focus' >/dev/null
sleep 0.5
in_session swaymsg "[app_id=\"$petari_id\"] focus" >/dev/null
sleep 0.5
check "petari has the focus" "$(focused_app)" "$petari_id"

keys -k Down -k Return
got=""
for _ in $(seq 1 60); do
  got=$(cat "$tmp/out.txt")
  [ "$got" = 'ペースト行' ] && break
  sleep 0.5
done
check "the line is pasted into the terminal" "$got" 'ペースト行'
check "the clipboard holds it too" "$(paste)" 'ペースト行'
check "the terminal has the focus again" "$(focused_app)" foot

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
