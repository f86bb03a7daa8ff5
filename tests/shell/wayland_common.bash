# Shared by the Wayland end-to-end tests: a private headless sway, folders of
# our own, and a cleanup that ends everything started.  sway refuses to run as
# root, so under root (CI) sway and every client run as the user "nobody".
tmp=$(mktemp -d)
pids=()

skip() {
  echo "skipped: $1"
  echo "0 passed, 0 failed, 1 skipped"
  exit 0
}

# Every process that runs in our compositor session carries our runtime folder
# in its environment, including the ones that went to the background on their
# own (wl-copy): those are ended by that mark, never by name.
session_processes() {
  local e p
  for e in /proc/[0-9]*/environ; do
    p=${e#/proc/}; p=${p%/environ}
    [ "$p" = "$$" ] && continue
    if { tr '\0' '\n' <"$e"; } 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$tmp/run"; then echo "$p"; fi
  done
}

cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  local left
  left=$(session_processes)
  if [ -n "$left" ]; then
    # shellcheck disable=SC2086
    kill $left 2>/dev/null
    sleep 0.3
    # shellcheck disable=SC2086
    kill -9 $left 2>/dev/null
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

for tool in sway swaymsg foot wl-copy wl-paste wtype; do
  command -v "$tool" >/dev/null || skip "missing $tool"
done
[ -r /proc/self/environ ] || skip "no /proc to find the session's processes"

owner=$(id -u)
as_user=()
if [ "$owner" -eq 0 ]; then
  command -v setpriv >/dev/null || skip "sway refuses root and setpriv is missing"
  owner=65534
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 755 "$tmp"
"${as_user[@]}" test -x "$tmp" || skip "the user $owner cannot enter $tmp"
if ! "${as_user[@]}" test -x "$petari"; then
  # A build tree in a private home: the session's user runs a copy of the program.
  cp "$petari" "$tmp/petari-bin" && chmod 755 "$tmp/petari-bin" && petari="$tmp/petari-bin"
  "${as_user[@]}" test -x "$petari" || skip "the user $owner cannot run $petari"
fi

mkdir -p "$tmp/run" "$tmp/home" "$tmp/config/petari" "$tmp/petari"
chown "$owner" "$tmp/run" "$tmp/home" "$tmp/config" "$tmp/config/petari" "$tmp/petari"
chmod 700 "$tmp/run"
cat >"$tmp/sway.conf" <<'EOF'
output HEADLESS-1 resolution 1280x1024
xwayland disable
default_border none
focus_follows_mouse no
EOF
chmod 644 "$tmp/sway.conf"

# Runs a command in the session as its user, with nothing of ours inherited.
in_session() {
  local session=()
  [ -n "${wayland:-}" ] && session=(WAYLAND_DISPLAY="$wayland" SWAYSOCK="$swaysock")
  # The session's user may not reach the folder the test runs from (a
  # private clone): every program starts in the test's own folder.
  (cd "$tmp" && exec "${as_user[@]}" env -i PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" \
    XDG_RUNTIME_DIR="$tmp/run" XDG_CONFIG_HOME="$tmp/config" PETARI_HOME="$tmp/petari" XDG_DATA_HOME="$tmp/data" \
    QT_QPA_PLATFORM=wayland "${session[@]}" "$@")
}

in_session WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 LIBSEAT_BACKEND=noop \
  sway -c "$tmp/sway.conf" >"$tmp/sway.log" 2>&1 &
pids+=("$!")
wayland="" swaysock=""
for _ in $(seq 1 100); do
  for s in "$tmp"/run/wayland-[0-9]; do [ -S "$s" ] && wayland=${s##*/}; done
  for s in "$tmp"/run/sway-ipc.*.sock; do [ -S "$s" ] && swaysock=$s; done
  [ -n "$wayland" ] && [ -n "$swaysock" ] && break
  sleep 0.1
done
if [ -z "$wayland" ] || [ -z "$swaysock" ]; then echo "sway did not start"; ls -la "$tmp/run"; cat "$tmp/sway.log"; exit 1; fi

# The app_id of the focused window ("" when none).
focused_app() {
  in_session swaymsg -t get_tree |
    awk '/"focused": true/ { f = 1 } f && /"app_id"/ { split($0, a, "\""); print a[4]; exit }'
}

# Waits until a window of app_id $1 exists.
wait_window() {
  for _ in $(seq 1 100); do
    in_session swaymsg -t get_tree | grep -q "\"app_id\": \"$1\"" && return 0
    sleep 0.2
  done
  return 1
}

petari_id=io.github.petari.Petari

# Starts petari with the given settings file contents and arguments; sets $app.
start_petari() {
  printf '%s\n' "$1" >"$tmp/config/petari/petari.ini"
  chown "$owner" "$tmp/config/petari/petari.ini"
  shift
  in_session "$petari" "$@" >"$tmp/app.log" 2>&1 &
  app=$!
  pids+=("$app")
  wait_window "$petari_id" || { echo "petari's window did not appear"; cat "$tmp/app.log"; exit 1; }
  sleep 0.5
}

# Waits up to 10 s for petari to end; false when it did not.
wait_petari_end() {
  for _ in $(seq 1 50); do
    kill -0 "$app" 2>/dev/null || { wait "$app" 2>/dev/null; return 0; }
    sleep 0.2
  done
  return 1
}

# Keys for the focused window.  A virtual keyboard is new to the compositor
# each time: the pause lets the window take it before the first key.
keys() { in_session wtype -s 300 "$@"; }

paste() { in_session timeout 5 wl-paste --no-newline 2>/dev/null | tr -d '\r'; }

# The value of key $2 in section $1 of petari's settings file.
stored() {
  awk -F= -v s="[$1]" -v k="$2" '/^\[/ { in_s = ($0 == s) } in_s && $1 == k { print substr($0, length(k) + 2) }' \
    "$tmp/config/petari/petari.ini"
}

passed=0 failed=0
check() {
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "$1: got [$2], expected [$3]"; cat "$tmp/app.log"; fi
}
