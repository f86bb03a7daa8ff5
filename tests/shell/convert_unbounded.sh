#!/usr/bin/env bash
# `petari --convert` on endless-looking input without a line break (what
# /dev/zero and `yes | tr -d '\n'` give) keeps its memory bounded: 256 MiB go
# through with a peak resident size far below the input's.
set -u
bin=${1:?usage: convert_unbounded.sh PATH_TO_PETARI}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# AddressSanitizer keeps freed memory for a while; a small quarantine keeps
# the measure about the program.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:quarantine_size_mb=16"
size=$((256 * 1024 * 1024))
limit_kb=$((160 * 1024))
passed=0 failed=0

# generator command, mode, expected output size
check() {
  local gen="$1" mode="$2" want="$3"
  rm -f "$tmp/out" "$tmp/count"
  mkfifo "$tmp/out"
  wc -c < "$tmp/out" > "$tmp/count" &
  local counter=$!
  "$bin" --convert "$mode" < <(bash -c "$gen") > "$tmp/out" &
  local pid=$! peak=0 hwm
  while kill -0 "$pid" 2>/dev/null; do
    hwm=$(awk '/^VmHWM:/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$hwm" ] && [ "$hwm" -gt "$peak" ] && peak=$hwm
    sleep 0.05
  done
  wait "$pid"; local rc=$?
  wait "$counter"
  local got; got=$(tr -d ' ' < "$tmp/count")
  if [ "$rc" -eq 0 ] && [ "$got" = "$want" ] && [ "$peak" -le "$limit_kb" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $gen | --convert $mode: exit $rc, $got bytes (want $want), peak ${peak} KiB (limit $limit_kb)"
  fi
}

check "head -c $size /dev/zero" full "$size"
check "yes | tr -d '\n' | head -c $size" full "$((size * 3))"   # y → ｙ, three bytes
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
