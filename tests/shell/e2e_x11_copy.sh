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
expected='ａｂｃ　ガ　ヒラガナ'
start_petari $'[F5]\n3=1\n5=1\nst_c31=1' "$tmp/first line.txt"

ini=$'[F5]\n3=1\n5=1\nst_c31=1'

xdotool key Down
expect_clipboard "Down" "$expected"
stop_petari

# The first key after start moves as from any line: End goes to the last one.
start_petari "$ini" "$tmp/first line.txt"
xdotool key End
expect_clipboard "End first" "ｓｅｃｏｎｄ　ｌｉｎｅ"
stop_petari

# Shortcuts work from the first key press: Delete the first line, undo it,
# and Home copies the first line again.
start_petari "$ini" "$tmp/first line.txt"
xdotool key Home
expect_clipboard "Home" "$expected"
xdotool key Delete
sleep 0.3
xdotool key ctrl+z
sleep 0.3
xdotool key End
expect_clipboard "after delete and undo" "ｓｅｃｏｎｄ　ｌｉｎｅ"
xdotool key Home
expect_clipboard "undone line" "$expected"
stop_petari
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
