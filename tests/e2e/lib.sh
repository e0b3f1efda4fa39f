# Shared helpers of the end-to-end tests, on top of the automated player's hands: the log, the
# saved screenshots and preferences, the captured music, and waiting for what a click should show.
#   source tests/e2e/lib.sh BUILD_DIR
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/autoplay/player.sh" "$1"

save_dir() { if [ -f "$E2E_GAME_DIR/Vesperine.prefs" ]; then echo "$E2E_GAME_DIR"; else echo "$E2E_HOME/.Quenmarsh/Vesperine/"; fi; }
game_log() { cat "$(save_dir)"Log*.log 2>/dev/null; }
# The game started with the given parameters, its window shown and given the keyboard focus;
# menu_game waits on for its menu too.
open_game() { start_game "$@"; wait_for_window; xdotool windowfocus --sync "$GAME_WINDOW"; }
menu_game() { open_game "$@"; player_wait_for_menu; }
# The command given (a key, a close request) ends the game with status 0 within ten seconds; else
# MESSAGE. quits_by MESSAGE COMMAND...
quits_by() { "${@:2}"; wait_for_exit 100 || fail "$1"; }
# Escape at the menu ends the game with status 0, pressed again for longer while the game runs on (a
# busy game may see no frame while a short press is down); else MESSAGE.
escape_quits() {
  for hold in 0.4 1.5 3; do
    xdotool keydown Escape sleep "$hold" keyup Escape
    for _ in $(seq 1 50); do kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID" && return 0; fail "$1"; }; sleep 0.1; done
  done
  fail "$1"
}
# Another window (xmessage) at GEOMETRY, shown: OTHER, its process OTHER_PID; on a nested desktop
# through its Xwayland.
other_window() {
  "${NESTED_CLIENT[@]}" xmessage -geometry "$1" "another window" &
  OTHER_PID=$! && E2E_PIDS+=($!)
  OTHER=$("${NESTED_CLIENT[@]}" xdotool search --sync --onlyvisible --name '^xmessage$' | head -n1)
}
# The picture $E2E_SHOTS/NAME.png once the screen holds still.
shot() { wait_still; player_look "$E2E_SHOTS/$1.png"; }
# The pictures given copied to $E2E_SHOTS_OUT when it is set (the docs keep them).
keep_shots() { [ -z "${E2E_SHOTS_OUT:-}" ] || { mkdir -p "$E2E_SHOTS_OUT" && cp "$@" "$E2E_SHOTS_OUT"/; }; }

screenshot_count() { ls "$(save_dir)" 2>/dev/null | grep -c '^Vesperine .*\.png$' || true; }
# S, pressed again every two seconds while no new screenshot shows (a loaded machine may draw no
# frame while it is down); the screenshot, once written out and named by its date, becomes
# $E2E_SHOTS/NAME.png.
take_screenshot() {
  local before shot size=-1 tries=0
  before=$(screenshot_count)
  new_screenshot() { [ $((tries++ % 8)) != 0 ] || press s; [ "$(screenshot_count)" -gt "$before" ]; }
  until_true new_screenshot || fail "no new screenshot"
  shot=$(ls -t "$(save_dir)"Vesperine\ *.png | head -n1)
  while [ "$(stat -c %s "$shot")" != "$size" ]; do size=$(stat -c %s "$shot"); sleep 0.3; done  # written out
  [[ "$(basename "$shot")" =~ ^Vesperine\ [0-9]{2}-[0-9]{2}-[0-9]{4}\ [0-9]{2}-[0-9]{2}-[0-9]{2}\.png$ ]] \
    || fail "screenshot name: $shot"
  mv "$shot" "$E2E_SHOTS/$1.png"
}

# The whole screen of the display holds exactly the picture (a full-screen frame S saved; its colour key's
# transparent pixels are black on the screen).
desktop_shows() {
  import -window root -depth 8 "$E2E_WORK/desktop.png" &&
    convert "$1" -background black -alpha remove -alpha off "$E2E_WORK/frame.png" &&
    [ "$(compare -metric AE "$E2E_WORK/frame.png" "$E2E_WORK/desktop.png" null: 2>&1)" = 0 ]
}

# Root mean square level of the captured audio (S16LE), 0 for silence.
audio_level() {
  python3 - "$E2E_AUDIO" "${1:-0}" <<'PY'
import struct, sys, math
data = open(sys.argv[1], 'rb').read()[int(sys.argv[2]):]
samples = struct.unpack('<%dh' % (len(data) // 2), data[:len(data) // 2 * 2])[::7] or (0,)
print(int(math.sqrt(sum(s * s for s in samples) / len(samples))))
PY
}
audio_bytes() { stat -c %s "$E2E_AUDIO" 2>/dev/null || echo 0; }

# The level of the captured audio of the next second, after the change has settled; expect_music
# takes it for "silent" or "playing".
level_next_second() { sleep 0.6; local mark; mark=$(audio_bytes); sleep 1; audio_level "$mark"; }
expect_music() {
  local level
  level=$(level_next_second)
  if [ "$1" = silent ]; then [ "$level" -lt 30 ] || fail "$2 (level $level)"; else [ "$level" -gt 200 ] || fail "$2 (level $level)"; fi
}

# Takes a new picture with SHOT FILE until CHECK... holds, for about ten seconds: a loaded machine
# draws a click's answer late. until_shown SHOT FILE CHECK...; until_true CHECK... takes none.
until_shown() { for _ in $(seq 1 40); do "$1" "$2"; "${@:3}" && return 0; sleep 0.25; done; return 1; }
until_true() { until_shown true "" "$@"; }
# F11 pressed, longer each time, until CHECK... holds: a screen only just opened may not have the
# keyboard yet. f11_until CHECK...
f11_until() { for hold in 0.4 1 2; do xdotool keydown F11 sleep "$hold" keyup F11; until_true "$@" && return 0; done; return 1; }
window_hidden() { [ "$(xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Map State: //p')" != IsViewable ]; }
panel_hidden() { ! panel_shows "$@"; }

# More than N pixels differ in REGION of the two pictures: changed_more A B REGION N
changed_more() { [ "$(region_difference "$1" "$2" "$3")" -gt "$4" ]; }
