# A private D-Bus session with its accessibility bus, so that tests reach the
# program's controls as assistive technology does (tests/shell/atspi_drive.py).
# Source after x11_common.bash.
atspi_python=/usr/bin/python3
if ! "$atspi_python" -c 'import pyatspi' 2>/dev/null || [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "missing python3-pyatspi or at-spi2-core"; echo "0 passed, 1 failed"; exit 1
fi
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$tmp/dbus.addr" 4>"$tmp/dbus.pid"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$tmp/dbus.addr")
export DBUS_SESSION_BUS_ADDRESS
pids+=("$(cat "$tmp/dbus.pid")")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$tmp/atspi.log" 2>&1 &
pids+=("$!")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
sleep 0.5

# Presses the menu item or button of that caption, without waiting.
press() { "$atspi_python" "$(dirname "${BASH_SOURCE[0]}")/atspi_drive.py" press "$1"; }
