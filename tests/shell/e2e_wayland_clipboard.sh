#!/usr/bin/env bash
# End to end on a headless wlroots compositor (sway, native Wayland through
# qt6-wayland): the clipboard monitor takes in both texts copied while a
# terminal has the focus; the copied line is still on the clipboard after
# petari quits; the stored window position survives a run on Wayland.
# Keys come from wtype; the input box is read back by moving the focus to it
# with Tab and copying its text (sway has no pointer without input devices).
set -u
petari="$1"
. "$(dirname "$0")/wayland_common.bash"

# Copies the text of the input box: Tab on until the copy gives $1, at most
# once round the window's controls.  Prints what the clipboard held last.
read_input_box() {
  local got=""
  for _ in $(seq 1 10); do
    keys -M ctrl -k a -k c -m ctrl
    for _ in 1 2 3; do
      sleep 0.2
      got=$(paste)
      [ "$got" = "$1" ] && break 2
    done
    keys -k Tab
  done
  printf '%s' "$got"
}

watchers() {
  for p in $(session_processes); do { tr '\0' ' ' <"/proc/$p/cmdline"; } 2>/dev/null; echo; done |
    grep -c -- '--watch' || true
}

# 1. Mode "追加する": two copies made while a terminal has the focus.
start_petari $'[F5]\n21=1\ns2=0'
in_session foot sleep 600 >"$tmp/foot.log" 2>&1 &
foot=$!
pids+=("$foot")
wait_window foot || { echo "foot did not appear"; cat "$tmp/foot.log"; exit 1; }
in_session swaymsg '[app_id="foot"] focus' >/dev/null
check "the terminal has the focus" "$(focused_app)" foot
in_session wl-copy '監視A'
sleep 0.7
in_session wl-copy '監視B'
sleep 1
check "the terminal kept the focus" "$(focused_app)" foot
in_session swaymsg "[app_id=\"$petari_id\"] focus" >/dev/null
sleep 0.5
check "both copies in the input box" "$(read_input_box '監視A監視B')" '監視A監視B'
keys -M ctrl -k q -m ctrl
wait_petari_end
check "petari ended" "$(kill -0 "$app" 2>/dev/null && echo running)" ""
check "no clipboard watcher left behind" "$(watchers)" 0
kill "$foot" 2>/dev/null

# 2. A copied line outlives petari; the stored position is kept, the size stored.
printf 'コピーの行\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 >"$tmp/lines.txt"
chmod 644 "$tmp/lines.txt"
start_petari $'[F1]\ntop=1234\nLeft=2345\n[F5]\ns2=0' "$tmp/lines.txt"
keys -k Down
got=""
for _ in $(seq 1 20); do got=$(paste); [ "$got" = 'コピーの行' ] && break; sleep 0.2; done
check "the line is copied" "$got" 'コピーの行'
keys -M ctrl -k q -m ctrl
wait_petari_end
check "petari ended" "$(kill -0 "$app" 2>/dev/null && echo running)" ""
check "the line after petari quit" "$(paste)" 'コピーの行'
check "stored top" "$(stored F1 top)" 1234
check "stored Left" "$(stored F1 Left)" 2345
check "the size is stored" "$(stored F1 Width | grep -cE '^[0-9]+$')" 1

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
