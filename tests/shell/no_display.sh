#!/usr/bin/env bash
# Without a display the window cannot start: one line says so and points to
# the command-line modes, exit 1.  -h and -V are --help and --version, with or
# without a display, unless a file of that name is there to open.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"
unset QT_QPA_PLATFORM WAYLAND_SOCKET

timeout 20 "$petari" >"$tmp/out" 2>"$tmp/err"
check "no display: exit code" 1 $?
check "no display: one line" 1 "$(wc -l <"$tmp/err")"
grep -q 'petari --help' "$tmp/err" || { echo "FAIL: no pointer to --help: $(cat "$tmp/err")"; fails=$((fails + 1)); }

check "-h is --help" "$("$petari" --help)" "$(timeout 20 "$petari" -h)"
check "-V is --version" "$("$petari" --version)" "$(timeout 20 "$petari" -V)"
cd "$tmp" && : >-V
timeout 20 "$petari" -V >"$tmp/out" 2>&1
check "a file named -V is a file to open" 1 $?

if [ $fails -ne 0 ]; then echo "$fails failed"; exit 1; fi
echo "no_display: all passed"
