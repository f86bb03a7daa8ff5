#!/usr/bin/env bash
# --price refuses, at once, a table whose lines would
# pass the character limit of one run.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"

prefix=$(head -c 100000 /dev/zero | tr '\0' x)
timeout 60 "$petari" --price 100 --from 1 --to 1000000 --prefix "$prefix" >"$tmp/out" 2>"$tmp/err"
check "exit code" 2 $?
check "nothing printed" "" "$(cat "$tmp/out")"
grep -q 'more than 100000000 characters' "$tmp/err" || { echo "FAIL: unclear message: $(cat "$tmp/err")"; fails=$((fails + 1)); }

if [ $fails -ne 0 ]; then echo "$fails failed"; exit 1; fi
echo "price_cli_limit: all passed"
