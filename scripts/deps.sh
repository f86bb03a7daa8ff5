#!/usr/bin/env bash
# Installs the Debian 12 packages ペタリ needs to build, run and test, when
# any of them is missing.  Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libicu-dev icu-devtools libgmp-dev zlib1g-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xclip xdotool x11-utils xauth fonts-ipafont-gothic libxcb1-dev
  sway foot wl-clipboard wtype qt6-wayland
  qt6-translations-l10n ccache
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi dbus
  desktop-file-utils appstream dpkg-dev file
  exfatprogs   # a case-folding volume for the rename tests (mounted as root)
)

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
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
