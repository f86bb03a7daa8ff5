#!/usr/bin/env bash
# The shipped read-me is a document like every other: code page 932 (not
# UTF-8), every line ended by CR LF, and nothing that would not come back
# the same from code page 932.
set -u
readme="$(dirname "$0")/../../data/ペタリ_はじめに読んでください.txt"
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

if utf8=$(iconv -f CP932 -t UTF-8 "$readme" 2>&1); then ok; else fail "not code page 932: $utf8"; fi
if iconv -f UTF-8 -t UTF-8 "$readme" >/dev/null 2>&1; then fail "the read-me is UTF-8"; else ok; fi
if [ "$(iconv -f CP932 -t UTF-8 "$readme" | iconv -f UTF-8 -t CP932 | od -An -tx1)" = "$(od -An -tx1 "$readme")" ]; then ok
else fail "does not round-trip through code page 932"; fi
lines=$(tr -dc '\n' < "$readme" | wc -c)
crs=$(tr -dc '\r' < "$readme" | wc -c)
crlfs=$(grep -c $'\r$' "$readme")
if [ "$lines" -gt 10 ] && [ "$lines" -eq "$crs" ] && [ "$lines" -eq "$crlfs" ]; then ok
else fail "line ends: $lines LF, $crs CR, $crlfs CR LF"; fi
if [ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = "0d0a" ]; then ok; else fail "last line not ended by CR LF"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
