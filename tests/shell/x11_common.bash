# Shared by the end-to-end tests: a private Xvfb display, folders of our own,
# and a cleanup that ends everything started.
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

for tool in Xvfb xdotool xclip xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

# Xvfb picks a free display itself, so tests running side by side never share one.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=("$!")
display=""
for _ in $(seq 1 100); do
  n=$(tr -dc '0-9' 2>/dev/null < "$tmp/display")
  if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
  sleep 0.1
done
[ -n "$display" ] || { echo "could not start Xvfb"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY="$display"

# Starts petari with the given settings file contents and arguments; sets $app and $wid.
start_petari() {
  local ini="$1"; shift
  export XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" XDG_DATA_HOME="$tmp/data"
  rm -rf "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  mkdir -p "$XDG_CONFIG_HOME/petari" "$PETARI_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  printf '%s\n' "$ini" > "$XDG_CONFIG_HOME/petari/petari.ini"
  QT_QPA_PLATFORM=xcb "$petari" "$@" >"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name 'ペタリ' 2>/dev/null | head -n1)
  [ -n "$wid" ] || { echo "window did not appear"; cat "$tmp/app.log"; exit 1; }
  sleep 0.5
  xdotool windowfocus --sync "$wid" 2>/dev/null || true
  sleep 0.2
}

stop_petari() {
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
}

# Counts of the checks below, and the check most end-to-end tests make:
# expect_clipboard NAME TEXT waits for the clipboard to hold TEXT.
passed=0 failed=0
expect_clipboard() {
  local got=""
  for _ in $(seq 1 30); do
    got=$(timeout 5 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$got" = "$2" ] && break
    sleep 0.2
  done
  if [ "$got" = "$2" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: clipboard held [$got], expected [$2]"; cat "$tmp/app.log"
  fi
}
