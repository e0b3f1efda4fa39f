# X servers of the platform and end-to-end tests, in one place:
#   source scripts/autoplay/x_server.sh; start_x_server WORKDIR xvfb|xorg-dummy [SIZE[xDEPTH]]; start_window_manager WORKDIR
#   start_compositor WORKDIR weston|mutter|sway|kwin [SIZE]
# They export DISPLAY and NO_AT_BRIDGE and append what they started to X_SERVER_PIDS; each returns
# once what it started answers.
X_SERVER_PIDS=()

# A program missing ends the run, naming its Debian package (scripts/install-deps.sh --tests installs
# them all); need PROGRAM does the same for one that another program starts.
exec {PROGRAMS_REPORT}>&2
command_not_found_handle() {
  local package
  package=$(awk -v program="$1" '$1 == program {print $2}' "$(dirname "${BASH_SOURCE[0]}")/../../tests/programs/programs.txt")
  echo "FAIL: $1 is not installed: Debian package ${package:-unknown} (scripts/install-deps.sh --tests)" >&"$PROGRAMS_REPORT"
  kill -s TERM $$
  return 127
}
need() { command -v "$1" >/dev/null || command_not_found_handle "$1"; }

# True once the request (a command) succeeds while the process PID runs, within about 30 s: what a
# server, window manager or compositor a test starts is waited for. answers PID REQUEST...
answers() {
  for _ in $(seq 1 300); do
    "${@:2}" >/dev/null 2>&1 && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
# A window manager's check window is there and names itself, on the display of the command prefix
# given (none: DISPLAY's).
wm_answers() {
  local check
  check=$("$@" xprop -root _NET_SUPPORTING_WM_CHECK | grep -o '0x[0-9a-f]*$') &&
    "$@" xprop -id "$check" _NET_SUPPORTING_WM_CHECK | grep -q " $check\$"
}

# Starts the server with -displayfd (a free display number) and waits until it answers.
start_x_server() {
  local work=$1 kind=$2 size=${3:-1280x720}
  [[ $size == *x*x* ]] || size=${size}x24
  rm -f "$work/display"  # a server started before in WORKDIR left its number there
  if [ "$kind" = xorg-dummy ]; then
    cat >"$work/xorg.conf" <<'CONF'
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
    Xorg -displayfd 3 -config "$work/xorg.conf" -noreset -nolisten tcp -novtswitch -sharevts \
      -logfile "$work/server.log" 3>"$work/display" >/dev/null 2>&1 &
  else
    Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$work/display" 2>"$work/server.log" &
  fi
  local server=$!
  X_SERVER_PIDS+=("$server")
  for _ in $(seq 1 400); do
    [ -s "$work/display" ] && break
    kill -0 "$server" 2>/dev/null || { echo "$kind did not start:" >&2; tail -n 20 "$work/server.log" >&2; return 1; }
    sleep 0.05
  done
  [ -s "$work/display" ] || { echo "$kind did not report a display" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")" NO_AT_BRIDGE=1
  answers "$server" xdpyinfo || { echo "$kind on $DISPLAY does not answer" >&2; return 1; }
  xset r off 2>/dev/null || true  # held keys in the tests must not repeat
}

# openbox, started again when it gave up on a display that had only just come up.
start_window_manager() {
  for _ in 1 2 3; do
    openbox --sm-disable >/dev/null 2>&1 &
    X_SERVER_PIDS+=($!)
    answers $! wm_answers && kill -0 $! 2>/dev/null && return 0
  done
  echo "openbox did not start" >&2
  return 1
}

# A Wayland desktop nested in an Xvfb of SIZE, which stays DISPLAY: xdotool there is the player's
# mouse and keyboard (a click at (x, y) lands at (x, y) of the desktop) and its root window shows the
# desktop. X clients of the desktop run through its Xwayland, with NESTED_CLIENT (a command prefix)
# in front: its DISPLAY and authority, and for sway, which refuses root, the user nobody (then
# NESTED_USER).
start_compositor() {
  local work=$1 kind=$2 size=${3:-1920x1080}
  start_x_server "$work" xvfb "$size" || return 1
  [ -d /tmp/.X11-unix ] || install -d -m 1777 /tmp/.X11-unix
  local run="$work/run-$kind" log="$work/$kind.log" socket="vesperine-$kind-$$" pattern='public X11 display :[0-9]+'
  local as_user=()
  NESTED_USER=""
  rm -rf "$run" && install -d -m 0700 "$run"
  case $kind in
    weston)
      pattern='xserver listening on display :[0-9]+'
      XDG_RUNTIME_DIR=$run weston --backend=x11-backend.so --use-pixman --width="${size%x*}" --height="${size#*x}" \
        --xwayland --socket="$socket" --idle-time=0 >"$log" 2>&1 & ;;
    mutter)
      need mutter
      XDG_RUNTIME_DIR=$run MUTTER_DEBUG_DUMMY_MODE_SPECS=$size dbus-run-session -- \
        mutter --nested --wayland --wayland-display="$socket" >"$log" 2>&1 & ;;
    sway)
      as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups) NESTED_USER=nobody
      need sway && chown nobody "$run" && chmod a+x "$work"  # nobody reaches its runtime directory
      # The game's window floats, as it does by its own size elsewhere (tiled, sway gives it the whole output).
      printf 'xwayland force\nfor_window [class="Vesperine"] floating enable\noutput * mode %s\nexec echo "public X11 display $DISPLAY" >%s/display\n' "$size" "$run" >"$work/sway.config"
      log=$run/display
      XDG_RUNTIME_DIR=$run WLR_BACKENDS=x11 WLR_RENDERER=pixman "${as_user[@]}" sway -c "$work/sway.config" \
        >"$work/sway.log" 2>&1 & ;;
    kwin)
      # kwin takes its own platform plugin only in a program named kwin_wayland, and a sandbox may
      # refuse the installed one's file capabilities: a plain copy of that name. Its screen locker
      # would cover the game after five idle minutes.
      need kwin_wayland && install -d "$work/kwin" && cp "$(command -v kwin_wayland)" "$work/kwin/kwin_wayland"
      printf '[Daemon]\nAutolock=false\nLockOnResume=false\n' >"$work/kwin/kscreenlockerrc"
      XDG_CONFIG_HOME=$work/kwin XDG_RUNTIME_DIR=$run dbus-run-session -- "$work/kwin/kwin_wayland" \
        --x11-display "$DISPLAY" --xwayland --width "${size%x*}" --height "${size#*x}" --socket "$socket" >"$log" 2>&1 & ;;
  esac
  local compositor=$!
  X_SERVER_PIDS+=("$compositor")
  local nested="" kwin=""
  for _ in $(seq 1 300); do
    if [ "$kind" = kwin ]; then  # its Xwayland's display is on that server's command line
      kwin=$(pgrep -P "$compositor" -x kwin_wayland)
      nested=$([ -z "$kwin" ] || pgrep -a -P "$kwin" Xwayland | grep -Eo ' :[0-9]+' | tr -d ' ')
    else
      nested=$(grep -Eo "$pattern" "$log" 2>/dev/null | grep -o ':[0-9]*$')
    fi
    [ -n "$nested" ] && break
    kill -0 "$compositor" 2>/dev/null || break
    sleep 0.1
  done
  [ -z "$kwin" ] || X_SERVER_PIDS+=("$kwin")  # stopping dbus-run-session leaves it running
  [ -n "$nested" ] || { echo "$kind did not start Xwayland:" >&2; tail -n 20 "$work"/*.log >&2; return 1; }
  local authority=("$run"/.mutter-Xwaylandauth.*)
  NESTED_CLIENT=("${as_user[@]}" env DISPLAY="$nested")
  [ -e "${authority[0]}" ] && NESTED_CLIENT+=(XAUTHORITY="${authority[0]}")
  # Its Xwayland answers, with the desktop's X window manager in place.
  answers "$compositor" wm_answers "${NESTED_CLIENT[@]}" && return 0
  echo "$kind: Xwayland on $nested does not answer with a window manager" >&2
  return 1
}

stop_x_servers() {
  for pid in "${X_SERVER_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
}
