#!/usr/bin/env bash
# End to end on a real X server: two running copies, each with its own file
# and one edit.  Undo in the first copy must give back its own list, never
# the second copy's, and saving must write its own text into its own file.
# Every undo comes from the snapshot files, where the copies could meet.
set -u
petari="$1"
. "$(dirname "$0")/x11_copies.bash"
export PETARI_UNDO_MEMORY=0

printf 'a1\r\na2\r\na3\r\n' > "$tmp/A.txt"
printf 'b1\r\nb2\r\n' > "$tmp/B.txt"
work="$PETARI_HOME/作・ペタリ"

start_copy A "$tmp/A.txt"
keys_to A Home Delete
start_copy B "$tmp/B.txt"
keys_to B Home Delete

keys_to A ctrl+z Home
check "copy A after undo shows its own first line" "a1" "$(clipboard)"
keys_to A End
check "copy A after undo shows its own last line" "a3" "$(clipboard)"
keys_to A ctrl+s
check "copy A saves its own text into A.txt" "$(printf 'a1\r\na2\r\na3\r\n' | od -c)" "$(od -c < "$tmp/A.txt")"
keys_to B ctrl+z Home
check "copy B after undo shows its own first line" "b1" "$(clipboard)"
check "copy B's file is untouched" "$(printf 'b1\r\nb2\r\n' | od -c)" "$(od -c < "$tmp/B.txt")"
# Which folder each copy used.
check "copy A's first snapshot" "$(od -c < "$tmp/A.txt")" "$(od -c < "$work/mk_000/mk0000.txt" 2>&1)"
check "copy B's first snapshot" "$(od -c < "$tmp/B.txt")" "$(od -c < "$work/mk_001/mk0000.txt" 2>&1)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
