#!/usr/bin/env bash
# End to end on a real X server, as a keyboard user and a screen reader meet
# 絞り込み: Ctrl+F puts the focus in the box, typing leaves only the lines
# that hold the word (blind to width and case), as the screen reader reads
# the list; Down chooses the first of them and the clipboard holds it;
# Escape shows every line again; F3 goes to the next match without
# filtering.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"

drive() { "$atspi_python" "$(dirname "$0")/atspi_drive.py" "$@"; }
expect_eq() {  # name got expected
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "$1: got [$2], expected [$3]"; fi
}
keys() { xdotool key --delay 100 "$@"; sleep 0.5; }
shown_lines() { drive lines | tr '\n' '|'; }
# The list, once it has settled on n lines.
lines_after() {  # n
  local got=""
  for _ in $(seq 1 25); do
    got=$(drive lines | wc -l)
    [ "$got" = "$1" ] && break
    sleep 0.2
  done
  echo "$got"
}

{
  printf 'Apple pie\r\nbanana\r\n\xef\xbc\xa1\xef\xbd\x90\xef\xbd\x90\xef\xbd\x8c\xef\xbd\x85 juice\r\n'   # Ａｐｐｌｅ juice
  printf 'cherry\r\napple tart\r\n'
  for i in $(seq 1 60); do printf 'line %d\r\n' "$i"; done
} > "$tmp/fruit.txt"
start_petari "" "$tmp/fruit.txt"
expect_eq "lines at the start" "$(lines_after 65)" 65

keys ctrl+f
expect_eq "focus after Ctrl+F" "$(drive focused)" "絞り込み"
expect_eq "controls without a name, the box open" "$(drive unnamed ペタリ 2>&1)" ""
xdotool type --delay 80 apple; sleep 0.5
expect_eq "lines shown for apple" "$(lines_after 3 >/dev/null; shown_lines)" "Apple pie|Ａｐｐｌｅ juice|apple tart|"

keys Down
expect_eq "focus after Down" "$(drive focused)" "行の一覧"
expect_clipboard "Down into the shown lines" "Apple pie"
keys Down
expect_clipboard "Down again, past the hidden banana" "Ａｐｐｌｅ juice"

keys Escape
expect_eq "lines after Escape" "$(lines_after 65)" 65
# F3 goes on from the current line to the next match, filtering nothing.
keys F3
expect_clipboard "F3" "apple tart"
expect_eq "lines after F3" "$(lines_after 65)" 65

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
