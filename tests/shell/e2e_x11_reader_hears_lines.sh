#!/usr/bin/env bash
# End to end on a real X server, as a screen reader follows the list: each
# line that becomes current with the arrow keys is the one the reader is told
# has the focus, and it speaks that line's text.
set -u
petari="$1"
. "$(dirname "$0")/x11_common.bash"
. "$(dirname "$0")/atspi_common.bash"

printf 'one\r\ntwo\r\nthree\r\n' > "$tmp/doc.txt"
start_petari $'[F5]\ns2=0' "$tmp/doc.txt"
xdotool windowfocus --sync "$wid"
"$atspi_python" "$(dirname "$0")/atspi_drive.py" heard 8 > "$tmp/heard.txt" &
sleep 3
# The first Down chooses line 1, already current, and is heard as a move is;
# the next two move.
xdotool key --delay 300 Down Down Down
wait "$!"
got=$(tr '\n' '|' < "$tmp/heard.txt")
if [ "$got" = "one|two|three|" ]; then echo "1 passed, 0 failed"; exit 0; fi
echo "lines the reader was told of: got [$got], expected [one|two|three|]"
echo "0 passed, 1 failed"
exit 1
