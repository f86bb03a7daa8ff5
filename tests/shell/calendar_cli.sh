#!/usr/bin/env bash
# The --calendar and --stamp modes: output of a known year and of a fixed
# moment, and the refusal of bad input with exit code 2.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"

# A known year.
"$petari" --calendar 2026 >"$tmp/out" 2>"$tmp/err"
check "calendar 2026 exit" 0 $?
check "calendar 2026 line count" 377 "$(wc -l <"$tmp/out")"
check "calendar 2026 first lines" "$(printf '2026年 1月\n 1月 1日(木)元日\n 1月 2日(金)')" "$(head -3 "$tmp/out")"
check "calendar 2026 last line" "12月31日(木)" "$(tail -1 "$tmp/out")"
check "calendar 2026 no diagnostics" "" "$(cat "$tmp/err")"
check "calendar 2026 holidays" "$(printf ' 5月 6日(水)振替休日\n 9月22日(火)国民の休日\n10月12日(月)スポーツの日')" \
  "$(grep -E '^( 5月 6日| 9月22日|10月12日)' "$tmp/out")"
check "calendar 2026 holiday count" 18 "$(grep -cv -e ')$' -e '年' "$tmp/out")"
check "calendar 2024 February" "$(printf ' 2月11日(日)建国記念の日\n 2月12日(月)振替休日')" \
  "$("$petari" --calendar 2024 | grep -E '^ 2月1[12]日')"
check "calendar year 1" "1年 1月" "$("$petari" --calendar 1 | head -1)"
check "calendar year 9999" "12月31日(金)" "$("$petari" --calendar 9999 | tail -1)"
check "calendar leading blank and plus" "2026年 1月" "$("$petari" --calendar ' +2026' | head -1)"

# A fixed moment.
stamp=$("$petari" --stamp --at "2024-01-05 09:30:05")
check "stamp at 2024-01-05 09:30:05" "$(printf '【年月日】\n2024年 1月 5日　金曜日\n令和6年 1月 5日　金曜日\n2024/01/05 (金)')" \
  "$(head -4 <<<"$stamp")"
check "stamp times" "$(printf '午前 9時30分 5秒\n09:30:05\n 9:30: 5\nAM09:30:05\nAM 9:30: 5\n093005')" \
  "$(sed -n '16,21p' <<<"$stamp")"
check "stamp line count" 35 "$(wc -l <<<"$stamp")"
check "stamp last lines" "$(printf '【その他】\n睦月\nJanuary\nFriday')" "$(tail -4 <<<"$stamp")"
check "stamp --at= form" "$stamp" "$("$petari" --stamp --at="2024-01-05 09:30:05")"
noon=$("$petari" --stamp --at "2019-04-30 12:05:09")
check "stamp 平成 last day" "平成31年 4月30日　火曜日" "$(sed -n 3p <<<"$noon")"
check "stamp noon" "$(printf '午後 0時 5分 9秒\n12:05:09\n12: 5: 9\nPM00:05:09\nPM 0: 5: 9')" "$(sed -n '16,20p' <<<"$noon")"
check "stamp 令和 first day" "令和1年 5月 1日　水曜日" "$("$petari" --stamp --at "2019-05-01 00:00:00" | sed -n 3p)"
check "stamp 31 December" "$(printf '1231\n師走\nDecember')" \
  "$("$petari" --stamp --at "2026-12-31 23:59:59" | sed -n '12p;33,34p')"
now=$("$petari" --stamp)
check "stamp now" 35 "$(wc -l <<<"$now")"
check "stamp now: era line and Western line agree" "$(sed -n 2p <<<"$now" | sed 's/^[0-9]*年//')" \
  "$(sed -n 3p <<<"$now" | sed 's/^[^年]*年//')"

# Bad input: a message on standard error, nothing on standard output, exit 2.
bad() {
  "$petari" "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  check "exit code of: $*" 2 "$rc"
  check "no output for: $*" "" "$(cat "$tmp/out")"
  if [ ! -s "$tmp/err" ]; then echo "FAIL: no message for: $*"; fails=$((fails + 1)); fi
}
bad --calendar 0
bad --calendar -1
bad --calendar -2024
bad --calendar 10000
bad --calendar 99999999999999999999999
bad --calendar abc
bad --calendar 12abc
bad --calendar 2024.5
bad --calendar ""
bad --calendar
bad --calendar 2024 2025
bad --stamp --at
bad --stamp --at "2024-13-01 00:00:00"
bad --stamp --at "2024-02-30 10:00:00"
bad --stamp --at "2024-01-05 24:00:00"
bad --stamp --at "2024-01-05"
bad --stamp --at "0000-01-01 00:00:00"
bad --stamp --at "soon"
bad --stamp now
msg=$("$petari" --calendar 0 2>&1 >/dev/null)
case $msg in *"1 to 9999"*) ;; *) echo "FAIL: unclear message: $msg"; fails=$((fails + 1)) ;; esac

if [ $fails -ne 0 ]; then echo "$fails failed"; exit 1; fi
echo "calendar_cli: all passed"
