#!/usr/bin/env bash
# End to end on a real X server, as a screen reader user works: Tab and
# Shift+Tab leave the canvas of 表の作成 for its menus and Escape brings the
# focus back, where the arrows still draw; the two 「小数点を揃える。」 boxes of
# 価格 are heard with the note beside each; and a box of 貼り付け turned off
# through its accessibility action is stored by ＯＫ.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"

drive() { "$atspi_python" "$(dirname "$0")/atspi_drive.py" "$@"; }
reader() { "$atspi_python" "$(dirname "$0")/atspi_reader.py" "$@"; }
expect_eq() {  # name got expected
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "$1: got [$2], expected [$3]"; fi
}
window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
wait_gone() { for _ in $(seq 1 50); do window_shown "$1" || return 0; sleep 0.2; done; return 1; }
key_to() {  # window title, keys...
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n1)"; sleep 0.3
  shift
  xdotool key --delay 150 "$@"; sleep 0.5
}

start_petari $'[F7]\nVisible=True\n[F5]\ns10=1'

# ---- 表の作成: no keyboard trap on the canvas
drive press "表の作成(L)"
drive focus 表を描く場所; sleep 0.5
expect_eq "focus in 表の作成" "$(drive focused)" 表を描く場所
# What the reader is told last after the keys.
told_after() {  # keys...
  reader told 3 > "$tmp/told.txt" &
  local listener=$!
  sleep 1
  key_to 表の作成 "$@"
  wait "$listener"
  tail -n1 "$tmp/told.txt"
}
expect_eq "told after Tab on the canvas" "$(told_after Tab)" "マス数を指定(S)"
expect_eq "told after Escape twice from the menu" "$(told_after Escape Escape)" 表を描く場所
expect_eq "told after Shift+Tab on the canvas" "$(told_after shift+Tab)" "作成した内容を本体へ移動(M)"
key_to 表の作成 Escape Escape
key_to 表の作成 shift+Right Right
case "$(reader description 表を描く場所)" in
  *─*) passed=$((passed + 1)) ;;
  *) failed=$((failed + 1)); echo "Shift+Right after the menus drew nothing" ;;
esac
key_to 表の作成 Escape
wait_gone 表の作成 || expect_eq "Escape closes 表の作成" open closed

# ---- 価格: the two alignment boxes are told apart by name
drive press "価格(P)"
expect_eq "check boxes of 価格" "$(reader checks 価格 | tr '\n' '|')" \
  "３桁ごとに　,　を入れる|小数点を揃える。数字の前に半角スペースが入ります。|小数点を揃える。「前に付ける文字」の前に半角のスペースが入ります。|式を注釈として表示する。|"
key_to 価格 Escape
wait_gone 価格 || expect_eq "Escape closes 価格" open closed

# ---- 設定: a box toggled through its action is stored
drive press "設定画面(O)"
drive toggle "クリックした行を前のウィンドウに貼り付ける"
drive press "ＯＫ"
wait_gone 設定
expect_eq "pasting turned off through its action, then ＯＫ" \
  "$(awk '/^\[F5\]/ { s = 1; next } /^\[/ { s = 0 } s && /^s10=/' "$XDG_CONFIG_HOME/petari/petari.ini")" "s10=0"

stop_petari
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
