#!/usr/bin/env bash
# The --table mode: the lines of tables built from four numbers, and the
# refusal of bad numbers with exit code 2.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"

# Every line is all 111 cells of the canvas, the empty ones "　".
pad() { local l; while IFS= read -r l; do printf '%s' "$l"; for ((i = ${#l}; i < 111; i++)); do printf '　'; done; printf '\n'; done; }
"$petari" --table 1 1 2 2 >"$tmp/out" 2>"$tmp/err"
check "table 1 1 2 2 exit" 0 $?
check "table 1 1 2 2" "$(printf '┌──┬──┐\n│　　│　　│\n└──┴──┘\n' | pad)" "$(cat "$tmp/out")"
check "table 1 1 2 2 ends with a line feed, no CR" "$(printf '　\n' | od -An -tx1)" "$(tail -c 4 "$tmp/out" | od -An -tx1)"
check "table 1 1 2 2 no diagnostics" "" "$(cat "$tmp/err")"

out=$("$petari" --table 3 3 3 3)
check "defaults: 13 lines" 13 "$(wc -l <<<"$out")"
lengths() { while IFS= read -r l; do echo "${#l}"; done | sort -u; }
check "defaults: every line 111 characters" "111" "$(lengths <<<"$out")"
check "defaults: rule rows" "$(printf '┌───┬───┬───┐\n├───┼───┼───┤\n├───┼───┼───┤\n└───┴───┴───┘\n' | pad)" \
  "$(sed -n '1p;5p;9p;13p' <<<"$out")"
check "defaults: a text row" "$(echo "│　　　│　　　│　　　│" | pad)" "$(sed -n 2p <<<"$out")"
check "no rows" "$(echo "┌───┬───┬───┐" | pad)" "$("$petari" --table 0 3 3 3)"
check "blanks and plus" "$("$petari" --table 1 1 2 2)" "$("$petari" --table ' 1' +1 '2 ' 02)"
full=$("$petari" --table 55 1 55 1)
check "largest: 111 lines" 111 "$(wc -l <<<"$full")"
check "largest: every line 111 characters" 111 "$(lengths <<<"$full")"

# Bad numbers: a usage message on standard error, nothing on standard output, exit 2.
bad() {
  "$petari" "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  check "exit code of: $*" 2 "$rc"
  check "no output for: $*" "" "$(cat "$tmp/out")"
  grep -q 'usage: petari --table' "$tmp/err" || { echo "FAIL: no usage message for: $*"; fails=$((fails + 1)); }
}
bad --table
bad --table 1 1 2
bad --table 1 1 2 2 2
bad --table -2 3 3 3
bad --table 3 3 3 abc
bad --table 3 3 3 1.5
bad --table 3 3 3 ""
bad --table 56 1 1 1
bad --table 70 3 3 3
bad --table 99999999999999999999 1 1 1
bad --table 37 2 1 1
bad --table 1 1 28 3
msg=$("$petari" --table 37 2 1 1 2>&1 >/dev/null)
case $msg in *"112 rows"*"111"*) ;; *) echo "FAIL: unclear message: $msg"; fails=$((fails + 1)) ;; esac

if [ $fails -ne 0 ]; then echo "$fails failed"; exit 1; fi
echo "table_cli: all passed"
