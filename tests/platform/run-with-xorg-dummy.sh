#!/usr/bin/env bash
# Runs a command under a private Xorg with the dummy video driver, which (unlike Xvfb) has the
# XF86VidMode extension and really switches video modes. Skips (exit 0 with a note) when the
# dummy driver is not installed. Usage: run-with-xorg-dummy.sh COMMAND [ARGS...]
set -u

if [ ! -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || ! command -v Xorg >/dev/null; then
  echo "Xorg dummy driver not installed: video-mode switching not tested" >&2
  exit 0
fi

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

cat >"$workdir/xorg.conf" <<'CONF'
Section "ServerFlags"
  Option "DontVTSwitch" "true"
  Option "AllowMouseOpenFail" "true"
  Option "AutoAddDevices" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 16384
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
  Modeline "640x480" 25.18 640 656 752 800 480 490 492 525 -hsync -vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024" "1024x768" "800x600" "640x480"
    Virtual 1280 1024
  EndSubSection
EndSection
CONF

Xorg -displayfd 3 -config "$workdir/xorg.conf" -noreset -nolisten tcp -novtswitch -sharevts \
  -logfile "$workdir/xorg.log" 3>"$workdir/display" >/dev/null 2>&1 &
server=$!
for _ in $(seq 1 200); do
  [ -s "$workdir/display" ] && break
  if ! kill -0 "$server" 2>/dev/null; then
    echo "Xorg did not start:" >&2
    tail -n 20 "$workdir/xorg.log" >&2
    exit 1
  fi
  sleep 0.05
done
if [ ! -s "$workdir/display" ]; then
  echo "Xorg did not report a display" >&2
  kill "$server"
  exit 1
fi

export DISPLAY=":$(head -n1 "$workdir/display")"
export NO_AT_BRIDGE=1

"$@"
status=$?

kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
