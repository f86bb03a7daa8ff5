# Shared by the tests of the command-line modes: no display, a temporary
# folder, and check DESCRIPTION EXPECTED ACTUAL counting failures in $fails.
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
fails=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {   # description, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; fails=$((fails + 1))
  fi
}
