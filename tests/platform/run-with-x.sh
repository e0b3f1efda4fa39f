#!/usr/bin/env bash
# Runs a command under a private X server, then stops the server; the command's exit status is the
# script's. Usage: run-with-x.sh [--xorg-dummy | --screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGS...]
# Xvfb gives software GL through Mesa, on a screen of 1280x720x24 unless --screen says otherwise;
# --xorg-dummy uses Xorg with the dummy video driver, which (unlike Xvfb) has XF86VidMode and really
# switches modes.
set -u
source "$(dirname "$0")/../../scripts/autoplay/x_server.sh"
kind=xvfb screen=1280x720x24
[ "${1:-}" = --xorg-dummy ] && shift && kind=xorg-dummy
[ "${1:-}" = --screen ] && screen=$2 && shift 2
[ $kind != xorg-dummy ] || [ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] ||
  { echo "FAIL: the Xorg dummy driver is not installed: Debian package xserver-xorg-video-dummy" >&2; exit 1; }
workdir=$(mktemp -d)
trap 'stop_x_servers; rm -rf "$workdir"' EXIT
start_x_server "$workdir" "$kind" "$screen" || exit 1
"$@"
