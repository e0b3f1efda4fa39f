#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the game.
# Safe to run again: only missing packages are fetched.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtk-3-dev libpango1.0-dev libcairo2-dev
  libsdl1.2-compat-dev libvorbis-dev libogg-dev
  libarchive-dev libxxf86vm-dev libgl-dev libglu1-mesa-dev libx11-dev
  libpng-dev zlib1g-dev libgtest-dev
  libgl1-mesa-dri
  libfontconfig-dev fonts-roboto-unhinted fonts-open-sans fonts-urw-base35 fontconfig
)
test_packages=(
  xvfb xauth xdotool x11-utils x11-xserver-utils mesa-utils imagemagick openbox wmctrl
  xserver-xorg-core xserver-xorg-video-dummy clang libclang-rt-14-dev python3
)

want=("${packages[@]}")
if [ "${1:-}" = "--tests" ]; then
  want+=("${test_packages[@]}")
fi

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
