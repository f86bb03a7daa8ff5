#!/usr/bin/env bash
# End to end on a real X server: three running copies save over their files
# in turn.  Each save makes a backup of its own list, and every backup gets
# a number of its own: the counter is shared through the settings file.
set -u
petari="$1"
. "$(dirname "$0")/x11_copies.bash"

for c in 1 2 3; do printf "copy$c first\r\ncopy$c second\r\n" > "$tmp/C$c.txt"; done
for c in 1 2 3; do start_copy $c "$tmp/C$c.txt"; done
for c in 1 2 3; do keys_to $c Home Delete ctrl+s; done
sleep 1

backups="$PETARI_HOME/作・ペタリ/mk_backup"
for c in 1 2 3; do
  check "backup 00$c" "$(printf "copy$c second\r\n" | od -c)" "$(od -c < "$backups/バックアップ00$c.txt" 2>&1)"
done
check "the backup files" "3" "$(ls "$backups" | grep -c '^バックアップ')"
for c in 1 2 3; do
  check "copy $c saved its own file" "$(printf "copy$c second\r\n" | od -c)" "$(od -c < "$tmp/C$c.txt")"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
