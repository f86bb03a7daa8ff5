#!/usr/bin/env bash
# End to end on a real X server, as a screen reader names a box: in every
# window, each text box, spin box and combo box with a label beside it is
# labelled by that label, and that label says it is the box's.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"

drive() { "$atspi_python" "$(dirname "$0")/atspi_drive.py" "$@"; }
window_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
close_window() {  # title
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n1)"; sleep 0.3
  xdotool key Escape
  for _ in $(seq 1 50); do window_gone "$1" && return 0; sleep 0.2; done
  failed=$((failed + 1)); echo "Escape left $1 open"
}
check() {  # title
  local wrong; wrong=$("$atspi_python" "$(dirname "$0")/atspi_reader.py" labels "$1" 2>&1)
  if [ -z "$wrong" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "in $1:"$'\n'"$wrong"; fi
}

printf 'one\r\ntwo\r\n' > "$tmp/doc.txt"
start_petari $'[F7]\nVisible=True' "$tmp/doc.txt"
check ペタリ
drive press "雛形を作成(T)"
for kind in 数字の連番 月日 時間 "A～Z" "あ～ん" 文字を並べる 桁数の確認用; do
  drive toggle "$kind"; sleep 0.3
  check 雛形
done
close_window 雛形
for pair in "乱数の作成(R)|乱数" "文字の追加(C)|文字の追加" "空白行の追加(B)|空行の追加" \
            "お気に入り(O)/編集(E)|お気に入りの編集" "設定画面(O)|設定" "ファイル名の表示(F)|ファイル名の表示" \
            "価格(P)|価格"; do
  drive press "${pair%%|*}"
  check "${pair##*|}"
  close_window "${pair##*|}"
done
# The size panel of 表の作成 is shown by its menu.
drive press "表の作成(L)"
drive press "マス数を指定(S)"
check 表の作成

stop_petari
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
