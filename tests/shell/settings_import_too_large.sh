#!/usr/bin/env bash
# --import-settings of a file over 16 MiB says that it is too large, not that
# it holds no settings; a file of 16 MiB exactly is read.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"
export XDG_CONFIG_HOME="$tmp/config"

truncate -s 16M "$tmp/limit.txt"
truncate -s $((16 * 1024 * 1024 + 1)) "$tmp/over.txt"
"$petari" --import-settings "$tmp/limit.txt" >/dev/null 2>"$tmp/err"
check "16 MiB: exit code" 1 $?
grep -q '有効なレジストリの情報がありませんでした' "$tmp/err" || { echo "FAIL: 16 MiB: $(cat "$tmp/err")"; fails=$((fails + 1)); }
"$petari" --import-settings "$tmp/over.txt" >/dev/null 2>"$tmp/err"
check "over 16 MiB: exit code" 1 $?
grep -q 'このファイルは大きすぎるため読み込みません（16 MiB まで）' "$tmp/err" ||
  { echo "FAIL: over 16 MiB: $(cat "$tmp/err")"; fails=$((fails + 1)); }

if [ $fails -ne 0 ]; then echo "$fails failed"; exit 1; fi
echo "settings_import_too_large: all passed"
