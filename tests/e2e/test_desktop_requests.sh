#!/usr/bin/env bash
# What the desktop asks of the game, under openbox and under mutter (GNOME's window manager, always
# compositing): every screen kind closed by wmctrl -c and by Alt+F4; the game killed (xkill), its
# window destroyed, i3's kill, the session's signals and the X server ending; the music back after
# Alt+Tab in full screen; the screensaver held off during play and let go once minimised; and what
# every window tells the desktop (the class the desktop entry names, the icon, the process and its
# machine, the protocols, pings answered, the launcher's startup notification completed). Each way
# out keeps the music switched off with M before it, and ends with the status it should.
source "$(dirname "$0")/lib.sh" "$1"

PROBE="$E2E_BUILD/vesperine-desktop-probe"
ENTRY="$(cd "$(dirname "$0")/../../packaging" && pwd)/com.quenmarsh.Vesperine.desktop"
ms_now() { echo $(($(date +%s%N) / 1000000)); }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
saver_is() { [ "$("$PROBE" saver)" = "$1" ]; }

start_x 1280x720 wm
openbox_pid=${X_SERVER_PIDS[-1]}
make_game_dir
"$PROBE" startup-watch >"$E2E_WORK/startup.txt" &
E2E_PIDS+=($!)
until grep -q watching "$E2E_WORK/startup.txt" 2>/dev/null; do sleep 0.05; done

# ---- the game and its ways out

launches=0
# The game of screen kind KIND started by a launcher (a startup id of its own), the music on; once
# its first frame is shown (the launcher hears of it) and its window has the focus, M switches the
# music off: what every way out must keep.
start_playing() {
  printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = %s\nScreenMode = 1280x720\n' "$1" >"${E2E_GAME_DIR}Vesperine.prefs"
  KIND=$1 launches=$((launches + 1)) STARTUP_ID="vesperine-e2e-$launches-$$_TIME0"
  DESKTOP_STARTUP_ID=$STARTUP_ID start_game
  wait_for_window
  startup_completed
  for _ in $(seq 1 50); do
    active_is "$GAME_WINDOW" && break
    xdotool windowactivate "$GAME_WINDOW" 2>/dev/null
    sleep 0.1
  done
  GAME=$(pgrep -P "$GAME_PID" -x vesperine)
  press m
}

# The game ended with STATUS (within MS milliseconds of `since`, when given) and saved the music
# switched off.
ended() {
  local what=$1 status=$2 within=${3:-3000} took
  wait_for_exit 50
  local got=$?
  took=$(($(ms_now) - since))
  echo "  $what: exit status $got after $took ms"
  [ "$got" = "$status" ] || fail "$what: exit status $got, not $status"
  [ "$took" -le "$within" ] || fail "$what: ended after $took ms, not within $within"
  saved_prefs_are en_GB 0 "$KIND" 1280x720 || fail "$what: preferences not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"
}

# ---- what the windows tell the desktop

# xprop of window WID: the class, the icon at several sizes, the game's process on this machine,
# the protocols a window manager asks.
describes_game() {
  local what=$1 wid=$2 props sizes pid
  props=$(xprop -id "$wid" WM_CLASS _NET_WM_PID WM_CLIENT_MACHINE WM_PROTOCOLS)
  grep -qxF 'WM_CLASS(STRING) = "vesperine", "Vesperine"' <<<"$props" || fail "$what: class: $props"
  pid=$(sed -n 's/^_NET_WM_PID(CARDINAL) = //p' <<<"$props")
  [ "$pid" = "$GAME" ] || fail "$what: _NET_WM_PID '$pid', not the game's $GAME"
  grep -qxF "WM_CLIENT_MACHINE(STRING) = \"$(uname -n)\"" <<<"$props" || fail "$what: machine: $props"
  grep -q '^WM_PROTOCOLS(ATOM): protocols .*WM_DELETE_WINDOW' <<<"$props" && grep -q '_NET_WM_PING' <<<"$props" \
    || fail "$what: protocols: $props"
  sizes=$(xprop -id "$wid" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
  [[ "$sizes" == *"(48 x 48)"*"(64 x 64)"*"(128 x 128)"* ]] || fail "$what: icon sizes: $sizes"
  echo "  $what: class vesperine/Vesperine, pid, machine, protocols, icons $sizes"
}

# The desktop entry matched to the window's class as GNOME Shell does it: the entry's
# StartupWMClass equal to the class's instance or class part, or else the entry's file name being
# one of them (as given or in lower case) with ".desktop".
entry_matches_class() {
  local class startup instance klass name
  class=$(xprop -id "$1" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = //p')
  instance=$(cut -d'"' -f2 <<<"$class") klass=$(cut -d'"' -f4 <<<"$class")
  startup=$(sed -n 's/^StartupWMClass=//p' "$ENTRY")
  name=$(basename "$ENTRY")
  for id in "$instance" "$klass"; do
    [ -n "$startup" ] && [ "$startup" = "$id" ] && return 0
    [ "$name" = "$id.desktop" ] || [ "$name" = "${id,,}.desktop" ] && return 0
  done
  echo "entry $name with StartupWMClass '$startup' and window class $class do not match" >&2
  return 1
}

# The launcher heard that the game started: the "remove" message of its startup id.
startup_completed() {
  for _ in $(seq 1 100); do
    grep -qE "^remove: ID=\"?$STARTUP_ID\"?( |$)" "$E2E_WORK/startup.txt" && return 0
    sleep 0.1
  done
  fail "no startup notification for $STARTUP_ID: $(cat "$E2E_WORK/startup.txt")"
}

# ---- each screen kind closed by the window manager, both ways, and what its window shows

close_every_kind() {
  local wm=$1 kind how
  for kind in 0 1 2; do
    for how in wmctrl alt+F4; do
      start_playing "$kind"
      if [ "$how" = wmctrl ]; then
        describes_game "$wm, kind $kind" "$GAME_WINDOW"
        entry_matches_class "$GAME_WINDOW" || fail "$wm, kind $kind: the desktop entry does not name the window's class"
        "$PROBE" ping "$GAME_WINDOW" >/dev/null || fail "$wm, kind $kind: the window manager's ping not answered"
        since=$(ms_now)
        wmctrl -c "Vesperine 1" || fail "wmctrl found no game window"
      else
        since=$(ms_now)
        xdotool key alt+F4
      fi
      ended "$wm, kind $kind, closed by $how" 0
    done
  done
}

# ---- full screen away with Alt+Tab and back: the music plays on; left alone it keeps the
# screensaver off, minimised it lets it come on.

level_next_second() { sleep 0.6; local mark; mark=$(audio_bytes); sleep 1; audio_level "$mark"; }

away_and_back() {
  local wm=$1 before away back
  rm -f "$E2E_AUDIO"
  printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 0\nScreenMode = 1280x720\n' >"${E2E_GAME_DIR}Vesperine.prefs"
  KIND=0 start_game
  wait_for_window
  before=$(level_next_second)
  xdotool key alt+Tab
  until_true active_is "$OTHER" || fail "$wm: Alt+Tab did not leave the game"
  away=$(level_next_second)
  xdotool key alt+Tab
  until_true active_is "$GAME_WINDOW" || fail "$wm: Alt+Tab did not come back to the game"
  back=$(level_next_second)
  echo "  $wm: music level $before playing, $away away, $back back"
  [ "$before" -gt 200 ] && [ "$away" -lt 30 ] && [ "$back" -gt $((before / 2)) ] || fail "$wm: music after Alt+Tab"
  xset s 5 5
  sleep 6.5
  saver_is Off || fail "$wm: the screensaver came on during play"
  since=$(ms_now)
  xdotool windowminimize "$GAME_WINDOW"
  until_true saver_is On || fail "$wm: no screensaver once the game was minimised"
  echo "  $wm: screensaver off 6.5 s into play, on $(($(ms_now) - since)) ms after minimising"
  xset s off
  kill "$(pgrep -P "$GAME_PID" -x vesperine)"
  wait_for_exit 50
}

xmessage -geometry 300x100+50+50 "another window" &
E2E_PIDS+=($!)
OTHER=$(xdotool search --sync --onlyvisible --name '^xmessage$' | head -n1)

echo "openbox:"
close_every_kind openbox
away_and_back openbox
# Killed: xkill ends the client that owns the window (the full screen's own connection, or GTK's).
for kind in 0 1; do
  start_playing "$kind"
  since=$(ms_now)
  xkill -id "$GAME_WINDOW" >/dev/null
  ended "openbox, kind $kind, xkill" 1 1000
done
# The window destroyed by another client.
for kind in 0 1; do
  start_playing "$kind"
  since=$(ms_now)
  xdotool windowclose "$GAME_WINDOW" 2>/dev/null
  ended "openbox, kind $kind, window destroyed" 0 1000
done
# The session's signals.
for signal in TERM HUP INT; do
  start_playing 0
  since=$(ms_now)
  kill -s "$signal" "$GAME"
  ended "openbox, SIG$signal" 0 1000
done
# A fatal message box is a window of the game too.
ln -sfn /dev/null "$E2E_GAME_DIR/VesperineData.pack"
printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 0\nScreenMode = 1280x720\n' >"${E2E_GAME_DIR}Vesperine.prefs"
STARTUP_ID="vesperine-e2e-box-$$_TIME0"
DESKTOP_STARTUP_ID=$STARTUP_ID start_game
wait_for_window '^Vesperine::'
GAME=$(pgrep -P "$GAME_PID" -x vesperine)
describes_game "message box" "$GAME_WINDOW"
startup_completed
wmctrl -c "Vesperine::"
wait_for_exit 50
ln -sfn "$E2E_BUILD/VesperineData.pack" "$E2E_GAME_DIR/VesperineData.pack"

echo "mutter:"
kill "$openbox_pid"
install -d -m 0700 "$E2E_WORK/run"
XDG_RUNTIME_DIR="$E2E_WORK/run" dbus-run-session -- mutter --x11 --replace --sm-disable >"$E2E_WORK/mutter.log" 2>&1 &
session_pid=$!
E2E_PIDS+=("$session_pid")
until_true eval 'wmctrl -m 2>/dev/null | grep -qx "Name: Mutter"' || fail "mutter did not start"
close_every_kind mutter
away_and_back mutter
start_playing 0
since=$(ms_now)
xkill -id "$GAME_WINDOW" >/dev/null
ended "mutter, kind 0, xkill" 1 1000

echo "i3:"
kill "$(pgrep -P "$session_pid" -x mutter)"
printf '# i3 config file (v4)\nipc-socket %s\n' "$E2E_WORK/i3.sock" >"$E2E_WORK/i3.config"
i3 -c "$E2E_WORK/i3.config" >"$E2E_WORK/i3.log" 2>&1 &
E2E_PIDS+=($!)
until_true [ -S "$E2E_WORK/i3.sock" ] || fail "i3 did not start"
start_playing 0
since=$(ms_now)
i3-msg -s "$E2E_WORK/i3.sock" kill >/dev/null
ended "i3, kind 0, kill" 0
# The X server ends (a session's logout): the game saves and ends.
start_playing 0
since=$(ms_now)
kill "${X_SERVER_PIDS[0]}"
ended "X server ended" 1 1000
echo "desktop requests: OK"
