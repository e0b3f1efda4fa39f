#!/usr/bin/env bash
# Runs a command under a private X server, then stops the server; the command's exit status is the
# script's. Usage: run-with-x.sh [--xorg-dummy | --screen WIDTHxHEIGHTxDEPTH] COMMAND [ARGS...]
# Xvfb gives software GL through Mesa, on a screen of 1280x720x24 unless --screen says otherwise;
# --xorg-dummy uses Xorg with the dummy video driver, which (unlike Xvfb) has XF86VidMode and really
# switches modes; without it the run is a skip (exit 77).
set -u
source "$(dirname "$0")/../../scripts/autoplay/x_server.sh"
kind=xvfb screen=1280x720x24
[ "${1:-}" = --xorg-dummy ] && shift && kind=xorg-dummy
[ "${1:-}" = --screen ] && screen=$2 && shift 2
if [ $kind = xorg-dummy ] && { [ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || ! command -v Xorg >/dev/null; }; then
  echo "Xorg dummy driver not installed: video-mode switching not tested" >&2
  exit 77
fi
workdir=$(mktemp -d)
trap 'stop_x_servers; rm -rf "$workdir"' EXIT
start_x_server "$workdir" "$kind" "$screen" || exit 1
"$@"
