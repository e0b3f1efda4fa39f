#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the game (--tests), or to play
# its demo without a display (--demo).
# Safe to run again: only missing packages are fetched.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libgtk-3-dev libpango1.0-dev libcairo2-dev
  libsdl1.2-compat-dev libvorbis-dev libogg-dev
  libarchive-dev libxxf86vm-dev libxss-dev libgl-dev libglu1-mesa-dev libx11-dev
  libpng-dev zlib1g-dev libgtest-dev
  libgl1-mesa-dri
  libfontconfig-dev fonts-roboto-unhinted fonts-open-sans fonts-urw-base35 fontconfig
)
# The demo without a display: a virtual X server and the automated player's hands and eyes.
demo_packages=(xvfb xauth xdotool x11-utils imagemagick)
test_packages=(
  x11-xserver-utils mesa-utils openbox wmctrl
  xserver-xorg-core xserver-xorg-video-dummy clang libclang-rt-14-dev python3
  dpkg-dev desktop-file-utils appstream man-db
  weston xwayland sway mutter kwin-wayland dbus xsettingsd i3-wm procps x11-xkb-utils
)

want=("${packages[@]}")
case "${1:-}" in
  --tests) want+=("${demo_packages[@]}" "${test_packages[@]}") ;;
  --demo) want+=("${demo_packages[@]}") ;;
esac

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
