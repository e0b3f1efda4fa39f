#!/usr/bin/env bash
# What the desktop asks of the game, under openbox and under mutter (GNOME's window manager, always
# compositing): every screen kind closed by wmctrl -c and by Alt+F4; xkill, the window destroyed,
# i3's kill, the session's signals and the X server ending, each saving the music switched off with
# M; the music back after Alt+Tab in full screen; the screensaver off during play and on once
# minimised; and what every window tells the desktop (class, icon, process, machine, protocols).
# (The pings and the launcher's startup notification: the platform's session tests.)
source "$(dirname "$0")/lib.sh" "$1"

ENTRY="$(cd "$(dirname "$0")/../../packaging" && pwd)/com.quenmarsh.Vesperine.desktop"
ms_now() { echo $(($(date +%s%N) / 1000000)); }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
saver_is() { [ "$("$LOOK" saver)" = "$1" ]; }
# Music in the last fifth of a second captured.
music_now() { local size; size=$(audio_bytes); [ "$size" -gt 35280 ] && [ "$(audio_level $((size - 35280)))" -gt 30 ]; }

start_x 1280x720 wm
openbox_pid=${X_SERVER_PIDS[-1]}
make_game_dir

# The game of screen kind KIND, the music on; once it plays (its main loop runs) and its window
# has the focus, M switches the music off (unless asked to keep it: "music"), pressed again for longer
# while the music plays on (a busy game may see no frame while a short press is down).
start_playing() {
  KIND=$1
  printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = %s\nScreenMode = 1280x720\n' "$1" >"${E2E_GAME_DIR}Vesperine.prefs"
  rm -f "$E2E_AUDIO"
  start_game
  wait_for_window
  until_true music_now || fail "kind $1: no music"
  for _ in $(seq 1 50); do active_is "$GAME_WINDOW" && break; xdotool windowactivate "$GAME_WINDOW" 2>/dev/null; sleep 0.1; done
  GAME=$(pgrep -P "$GAME_PID" -x vesperine)
  [ "${2:-}" = music ] || for hold in 0.4 1.5 3; do xdotool keydown m sleep $hold keyup m; until_true eval '! music_now' && break; done
  since=$(ms_now)
}

# The game ended with STATUS within WITHIN milliseconds of `since` (the way out's command done), the
# music saved off. A second is the aim ("quick"): a loaded machine is given two.
ended() {
  local within=${3:-3000} got took
  [ "$within" != quick ] || within=2000
  wait_for_exit 50
  got=$? took=$(($(ms_now) - since))
  [ "$got" = "$2" ] && [ "$took" -le "$within" ] || fail "$1: status $got after $took ms, not $2 within $within"
  saved_prefs_are en_GB 0 "$KIND" 1280x720 || fail "$1: preferences not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"
}
# The game of screen kind KIND playing, the way out (a command line, run once the game plays) ends
# it as `ended` asks: way_out LABEL STATUS WITHIN KIND COMMAND
way_out() { start_playing "$4"; eval "$5"; since=$(ms_now); ended "$1" "$2" "$3"; }

# GNOME Shell finds the desktop entry of the windows' class (checked below) by its StartupWMClass.
grep -qxE 'StartupWMClass=(vesperine|Vesperine)' "$ENTRY" || fail "the desktop entry names another class"
# xprop of window WID: the class vesperine/Vesperine, the game's process on this machine, the
# protocols a window manager asks, the icon at several sizes.
describes_game() {
  local props sizes
  props=$(xprop -id "$2" WM_CLASS _NET_WM_PID WM_CLIENT_MACHINE WM_PROTOCOLS)
  grep -qxF 'WM_CLASS(STRING) = "vesperine", "Vesperine"' <<<"$props" && grep -qxF "_NET_WM_PID(CARDINAL) = $GAME" <<<"$props" &&
    grep -qxF "WM_CLIENT_MACHINE(STRING) = \"$(uname -n)\"" <<<"$props" &&
    grep -q '^WM_PROTOCOLS(ATOM): protocols .*WM_DELETE_WINDOW.*_NET_WM_PING' <<<"$props" || fail "$1: $props"
  sizes=$(xprop -id "$2" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | tr '\n' ' ')
  [[ "$sizes" == *"(48 x 48)"*"(64 x 64)"*"(128 x 128)"* ]] || fail "$1: icon sizes: $sizes"
}

close_every_kind() {
  local kind
  for kind in 0 1 2; do
    start_playing "$kind"
    describes_game "$1, kind $kind" "$GAME_WINDOW"
    wmctrl -c "Vesperine 1" && since=$(ms_now) || fail "wmctrl found no game window"
    ended "$1, kind $kind, closed by wmctrl" 0
    way_out "$1, kind $kind, closed by Alt+F4" 0 3000 "$kind" 'xdotool key alt+F4'
  done
}

# Full screen away with Alt+Tab and back: the music pauses (a busy game's in a second or two) and plays
# on. Left alone it keeps the screensaver off; minimised, it lets it come on.
away_and_back() {
  local before level
  heard() { level=$(level_next_second) && [ "$level" "$@" ]; }
  start_playing 0 music
  before=$(level_next_second) && [ "$before" -gt 200 ] || fail "$1: music level $before before Alt+Tab"
  xdotool key alt+Tab
  until_true active_is "$OTHER" || fail "$1: Alt+Tab did not leave the game"
  until_true heard -lt 30 || fail "$1: music level $level away after Alt+Tab"
  xdotool key alt+Tab
  until_true active_is "$GAME_WINDOW" || fail "$1: Alt+Tab did not come back to the game"
  until_true heard -gt $((before / 2)) || fail "$1: music level $level back after Alt+Tab, $before before"
  xset s 5 5 && sleep 6.5
  saver_is Off || fail "$1: the screensaver came on during play"
  xdotool windowminimize "$GAME_WINDOW"
  until_true saver_is On || fail "$1: no screensaver once the game was minimised"
  xset s off && kill "$GAME" && wait_for_exit 50
}

other_window 300x100+50+50

close_every_kind openbox
away_and_back openbox
for kind in 0 1; do  # xkill ends the client that owns the window: the full screen's own, or GTK's
  way_out "openbox, kind $kind, xkill" 1 quick "$kind" 'xkill -id "$GAME_WINDOW" >/dev/null'
  way_out "openbox, kind $kind, window destroyed" 0 quick "$kind" 'xdotool windowclose "$GAME_WINDOW" 2>/dev/null'
done
for signal in TERM HUP INT; do way_out "openbox, SIG$signal" 0 quick 0 "kill -s $signal \"\$GAME\""; done
# A fatal message box is a window of the game too.
ln -sfn /dev/null "$E2E_GAME_DIR/VesperineData.pack"
start_game
wait_for_window '^Vesperine::'
GAME=$(pgrep -P "$GAME_PID" -x vesperine)
describes_game "message box" "$GAME_WINDOW"
wmctrl -c "Vesperine::" && wait_for_exit 50
ln -sfn "$E2E_BUILD/VesperineData.pack" "$E2E_GAME_DIR/VesperineData.pack"

kill "$openbox_pid"
install -d -m 0700 "$E2E_WORK/run"
need mutter
XDG_RUNTIME_DIR="$E2E_WORK/run" dbus-run-session -- mutter --x11 --replace --sm-disable >"$E2E_WORK/mutter.log" 2>&1 &
session=$!
E2E_PIDS+=("$session")
answers "$session" eval 'wmctrl -m | grep -qx "Name: Mutter"' || fail "mutter did not start"
close_every_kind mutter
away_and_back mutter
way_out "mutter, kind 0, xkill" 1 quick 0 'xkill -id "$GAME_WINDOW" >/dev/null'

# i3 once mutter has gone (it will not start beside another window manager) and answers on its socket.
mutter=$(pgrep -P "$session" -x mutter) && kill "$mutter" && until_true eval '! kill -0 "$mutter" 2>/dev/null' || fail "mutter did not end"
printf '# i3 config file (v4)\nipc-socket %s\n' "$E2E_WORK/i3.sock" >"$E2E_WORK/i3.config"
i3 -c "$E2E_WORK/i3.config" >"$E2E_WORK/i3.log" 2>&1 &
E2E_PIDS+=($!)
answers $! i3-msg -s "$E2E_WORK/i3.sock" -t get_version || fail "i3 did not start"
way_out "i3, kind 0, kill" 0 3000 0 'i3-msg -s "$E2E_WORK/i3.sock" kill >/dev/null'
way_out "X server ended" 1 quick 0 'kill "${X_SERVER_PIDS[0]}"'  # the session's X server ends
echo "desktop requests: OK"
