#!/usr/bin/env bash
# Options the program does not know end with a usage message, never a window.
petari="$1"
passed=0 failed=0
expect() {  # name, expected exit code, command...
  local name="$1" want="$2"; shift 2
  timeout 10 "$@" >/dev/null 2>&1
  local rc=$?
  if [ "$rc" -eq "$want" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "$name: exit $rc, expected $want"; fi
}
expect "help" 0 env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$petari" --help
expect "unknown option" 2 env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$petari" --frobnicate
usage=$(env -u DISPLAY "$petari" --frobnicate 2>&1 >/dev/null)
case "$usage" in *"usage: petari"*) passed=$((passed + 1)) ;; *) failed=$((failed + 1)); echo "no usage text";; esac
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
