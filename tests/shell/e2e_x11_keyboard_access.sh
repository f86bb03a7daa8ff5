#!/usr/bin/env bash
# End to end on a real X server, as a user without a mouse and as a screen
# reader sees the program: every window's accessibility tree holds no
# interactive control without a name; a check box of 設定 and a kind of 雛形
# set through accessibility actions alone reach the stored setting and the
# generated lines; and the keys: Tab leaves the input box, F10 opens the
# menu bar, Shift+F10 and the Menu key the list's menu, F1 the help,
# Ctrl+Shift+Z redoes, Escape closes 価格 and ファイル名の表示.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"

drive() { "$atspi_python" "$(dirname "$0")/atspi_drive.py" "$@"; }
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "$1"; }
expect_eq() {  # name got expected
  if [ "$2" = "$3" ]; then pass; else fail "$1: got [$2], expected [$3]"; fi
}
wait_until() {  # seconds, command...
  local n=$(( $1 * 5 )); shift
  for _ in $(seq 1 "$n"); do "$@" && return 0; sleep 0.2; done
  return 1
}
window_shown() { xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
window_gone() { ! window_shown "$1"; }
focus_window() { xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n1)"; sleep 0.3; }
key_to() {  # window title, keys...
  focus_window "$1"; shift
  xdotool key --delay 100 "$@"; sleep 0.5
}
line_count() { drive lines | wc -l; }

# The help goes to a stand-in browser that only writes down what it was given.
mkdir -p "$tmp/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/xdg-open.log"\n' "$tmp" > "$tmp/bin/xdg-open"
chmod +x "$tmp/bin/xdg-open"
export PATH="$tmp/bin:$PATH"

printf 'one\r\ntwo\r\nthree\r\n' > "$tmp/doc.txt"
start_petari $'[F7]\nVisible=True' "$tmp/doc.txt"

# ---- every window's controls have names
walk() {  # title
  local unnamed; unnamed=$(drive unnamed "$1" 2>&1)
  if [ -z "$unnamed" ]; then pass; else fail "unnamed controls in $1:"$'\n'"$unnamed"; fi
}
walk ペタリ
drive press "雛形を作成(T)"
for kind in 数字の連番 月日 時間 "A～Z" "あ～ん" 文字を並べる 桁数の確認用; do
  drive toggle "$kind"; sleep 0.3
  walk 雛形
done
key_to 雛形 Escape
for pair in "乱数の作成(R)|乱数" "文字の追加(C)|文字の追加" "空白行の追加(B)|空行の追加" \
            "お気に入り(O)/編集(E)|お気に入りの編集" "表の作成(L)|表の作成" "設定画面(O)|設定" \
            "バージョン情報(A)|バージョン情報" "ファイル名の表示(F)|ファイル名の表示"; do
  drive press "${pair%%|*}"
  walk "${pair##*|}"
  key_to "${pair##*|}" Escape
  wait_until 10 window_gone "${pair##*|}" || fail "Escape left ${pair##*|} open"
done
drive press "価格(P)"
walk 価格
key_to 価格 Escape
if wait_until 10 window_gone 価格; then pass; else fail "Escape left 価格 open"; fi

# ---- accessibility actions act: [半] in 設定 is stored, A～Z in 雛形 makes letters
drive press "設定画面(O)"
drive toggle "[半]　全角を半角にする。"
drive press "ＯＫ"
wait_until 10 window_gone 設定
expect_eq "[半] toggled through its action, then ＯＫ" \
  "$(awk '/^\[F5\]/ { s = 1; next } /^\[/ { s = 0 } s && /^4=/' "$XDG_CONFIG_HOME/petari/petari.ini")" "4=1"

drive press "雛形を作成(T)"
drive toggle "A～Z"
drive press "OK"
wait_until 10 window_gone 雛形
expect_eq "A～Z chosen through its action, then OK" "$(drive lines | tr '\n' ' ')" \
  "A B C D E F G H I J K L M N O P Q R S T U V W X Y Z "

# ---- keys
# Tab leaves the input box and types nothing; Ctrl+Tab types a tab.
focus_window ペタリ
drive focus 入力場所; sleep 0.5
xdotool type --delay 20 abc
key_to ペタリ Tab
expect_eq "text after Tab" "$(drive text 入力場所)" "abc"
expect_eq "focus after Tab out of the input box" "$(drive focused)" "目次"
key_to ペタリ shift+Tab End ctrl+Tab
expect_eq "Ctrl+Tab in the input box" "$(drive text 入力場所)" $'abc\t'

# Two Tabs on, the list.
key_to ペタリ Tab Tab
expect_eq "focus two Tabs after the input box" "$(drive focused)" "行の一覧"

# F10 opens ファイル, whose (L) opens 表の作成.
key_to ペタリ F10
xdotool key l
if wait_until 10 window_shown 表の作成; then pass; else fail "F10 then L did not open 表の作成"; fi
key_to 表の作成 Escape

# Shift+F10 and the Menu key open the list's menu (コピー時の変換 by default),
# whose 再コピー(R) copies the current line again.
key_to ペタリ Home
expect_clipboard "Home on the list" "A"
for keys in shift+F10 Menu; do
  printf 'x' | xclip -selection clipboard; sleep 0.3
  key_to ペタリ "$keys" r
  expect_clipboard "$keys then R" "A"
done

# Delete takes the line away, Ctrl+Z brings it back, Ctrl+Shift+Z takes it again.
key_to ペタリ Delete
expect_eq "lines after Delete" "$(line_count)" 25
key_to ペタリ ctrl+z
expect_eq "lines after Ctrl+Z" "$(line_count)" 26
key_to ペタリ ctrl+shift+z
expect_eq "lines after Ctrl+Shift+Z" "$(line_count)" 25

# F1 opens the help file, found in the program folder, in the browser.
cp "$(dirname "$0")/../../data/ペタリのヘルプ.html" "$PETARI_HOME/"
key_to ペタリ F1
wait_until 10 test -s "$tmp/xdg-open.log"
opened=$("$atspi_python" -c 'import sys, urllib.parse; print(urllib.parse.unquote(sys.argv[1]))' \
  "$(head -n1 "$tmp/xdg-open.log" 2>/dev/null)")
case "$opened" in
  */ペタリのヘルプ.html) pass ;;
  *) fail "F1 opened [$opened]" ;;
esac

stop_petari
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
