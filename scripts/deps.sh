#!/usr/bin/env bash
# Installs the Debian 12 packages ペタリ needs, when any of them is missing.
# Uses sudo when not run as root.
#   scripts/deps.sh run     what building the program and running it needs
#   scripts/deps.sh test    that, and what the tests, the benchmarks and the
#                           Debian package need (the default)
set -euo pipefail
mode=${1:-test}

# Building and running: the compiler and libraries, Qt's platform plugins
# (X11 through xcb, Wayland), Qt's own Japanese for its dialogs, its SVG
# icon engine (the window icon of a build without the PNG icons), a Japanese
# font, and the small tools the program calls (xdg-open, xclip and
# wl-copy/wl-paste keep the last copy and follow the clipboard).
run_packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-wayland qt6-translations-l10n libqt6svg6
  libicu-dev libgmp-dev zlib1g-dev libxcb1-dev libxcb-xtest0-dev libxcb-keysyms1-dev
  fonts-ipafont-gothic xdg-utils xclip wl-clipboard
)
# Tests: googletest and Google Benchmark, a virtual X server, a window
# manager (openbox), a plain terminal (xterm) and the tools the end-to-end tests drive them with, a Wayland compositor (sway, foot, wtype),
# the accessibility bus, the desktop-entry and AppStream validators, the
# package tools (dpkg-dev, lintian) and rsvg-convert, which renders the PNG
# icons that the package installs.
test_packages=(
  icu-devtools
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xdotool x11-utils xauth openbox xterm
  sway foot wtype
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi dbus
  desktop-file-utils appstream dpkg-dev file lintian librsvg2-bin
  exfatprogs   # a case-folding volume for the rename tests (mounted as root)
)

case "$mode" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: scripts/deps.sh [run|test]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
# A fresh machine often runs its own updates at first; wait for them.
lock=(-o DPkg::Lock::Timeout=600)
$sudo apt-get "${lock[@]}" update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
