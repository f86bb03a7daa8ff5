# Shared by the end-to-end tests of several running copies: one settings
# store, one program folder, one runtime folder, and a window per copy.
. "$(dirname "${BASH_SOURCE[0]}")/x11_common.bash"

export XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run"
mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
: > "$XDG_CONFIG_HOME/petari/petari.ini"

passed=0 failed=0
check() {   # name, expected, got
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$3], expected [$2]"
  fi
}

# Starts a copy on file $2; its process and window go to copy_pid[$1] and copy_wid[$1].
declare -A copy_pid copy_wid
start_copy() {
  QT_QPA_PLATFORM=xcb "$petari" "$2" >"$tmp/copy$1.log" 2>&1 &
  copy_pid[$1]=$!
  pids+=("$!")
  local w
  w=$(timeout 20 xdotool search --sync --onlyvisible --pid "${copy_pid[$1]}" 2>/dev/null | head -n1)
  [ -n "$w" ] || { echo "copy $1 did not show a window"; cat "$tmp/copy$1.log"; exit 1; }
  copy_wid[$1]=$w
  sleep 0.5
}

# Sends keys to copy $1.
keys_to() {
  local c=$1; shift
  xdotool windowfocus --sync "${copy_wid[$c]}" 2>/dev/null || true
  sleep 0.2
  xdotool key --delay 100 "$@"
  sleep 0.8
}

# The clipboard once it settles (line breaks dropped).
clipboard() {
  local got="" last=""
  for _ in $(seq 1 10); do
    got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null | tr -d '\r\n')
    [ -n "$got" ] && [ "$got" = "$last" ] && break
    last=$got
    sleep 0.2
  done
  printf '%s' "$got"
}
