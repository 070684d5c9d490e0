#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need,
# touching apt only when one of them is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config clang-format
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
  desktop-file-utils appstream bash-completion dpkg-dev lintian
  libzip-dev zlib1g-dev libdeflate-dev
  p7zip-full unar unace unzip zip cksfv par2
  time
  xvfb xauth
  openbox xdotool dbus-daemon at-spi2-core python3-pyatspi python3-dbus python3-gi
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
