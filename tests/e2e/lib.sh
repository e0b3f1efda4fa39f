# Shared helpers of the end-to-end tests: a private X server, a game directory of the test's own,
# the real game started in it, and the player's hands (xdotool).
#   source tests/e2e/lib.sh BUILD_DIR
set -u

E2E_BUILD=$(cd "${1:?build directory}" && pwd)
E2E_WORK=$(mktemp -d /tmp/vesperine-e2e-XXXXXX)
E2E_GAME_DIR="$E2E_WORK/game/"
E2E_HOME="$E2E_WORK/home"
E2E_AUDIO="$E2E_WORK/audio.raw"
E2E_SHOTS="$E2E_WORK/shots"
mkdir -p "$E2E_GAME_DIR" "$E2E_HOME" "$E2E_SHOTS"
E2E_PIDS=()
GAME_PID=""

e2e_cleanup() {
  local status=$?
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill "$GAME_PID" 2>/dev/null; fi
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  if [ "$status" -ne 0 ]; then
    # The pictures of a failed run stay for a look (CI keeps the machine until the session ends).
    local kept=/tmp/vesperine-e2e-failed-$(basename "$0" .sh)
    rm -rf "$kept" && cp -r "$E2E_SHOTS" "$kept" 2>/dev/null && echo "pictures of the failed run: $kept" >&2
    echo "--- test failed; game log and output:" >&2
    cat "$E2E_GAME_DIR"/Log*.log "$E2E_HOME"/.Quenmarsh/Vesperine/Log*.log 2>/dev/null | tail -40 >&2
    tail -20 "$E2E_WORK/game.out" 2>/dev/null >&2
    if [ -n "${E2E_KEEP_FAILED:-}" ]; then echo "kept $E2E_WORK" >&2; return; fi
  fi
  rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Xvfb of the given size on a free display; with "wm", openbox runs on it too (tests/x_server.sh).
source "$(dirname "${BASH_SOURCE[0]}")/../x_server.sh"
start_x() {
  start_x_server "$E2E_WORK" xvfb "${1:-1280x720}" || fail "Xvfb did not start"
  if [ "${2:-}" = wm ]; then start_window_manager || fail "openbox did not start"; fi
  E2E_PIDS+=("${X_SERVER_PIDS[@]}")
}
# The game directory: a copy of the executable (its own directory is the game directory) and the
# two packs; optional preferences text.
make_game_dir() {
  cp "$E2E_BUILD/vesperine" "$E2E_GAME_DIR"
  ln -s "$E2E_BUILD/VesperineData.pack" "$E2E_GAME_DIR/VesperineData.pack"
  ln -s "$E2E_BUILD/VesperineLanguages.pack" "$E2E_GAME_DIR/VesperineLanguages.pack"
  if [ $# -gt 0 ]; then printf '%s' "$1" >"$E2E_GAME_DIR/Vesperine.prefs"; fi
}

# Starts the game with /LOG, its music going to a raw file.
start_game() {
  (cd "$E2E_WORK" && HOME="$E2E_HOME" LANG=en_GB.UTF-8 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_AUDIO" \
     exec timeout 540 "$E2E_GAME_DIR/vesperine" "$@" >"$E2E_WORK/game.out" 2>&1) &
  GAME_PID=$!
}

save_dir() { if [ -f "$E2E_GAME_DIR/Vesperine.prefs" ]; then echo "$E2E_GAME_DIR"; else echo "$E2E_HOME/.Quenmarsh/Vesperine/"; fi; }
game_log() { cat "$(save_dir)"Log*.log 2>/dev/null; }

# Waits for the game's visible window (full screen or window kinds alike carry the title).
wait_for_window() {
  for _ in $(seq 1 200); do
    GAME_WINDOW=$(xdotool search --onlyvisible --name '^Vesperine 1' 2>/dev/null | tail -n1)
    [ -n "$GAME_WINDOW" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before showing a window"
    sleep 0.1
  done
  fail "no game window"
}

wait_for_exit() {
  for _ in $(seq 1 ${1:-100}); do
    kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID"; return $?; }
    sleep 0.1
  done
  fail "the game did not end"
}

# A key held for a few frames, as a player presses it (longer than a slow frame of a loaded machine).
press() {
  xdotool keydown "$1"
  sleep 0.4
  xdotool keyup "$1"
  sleep 0.12
}

screenshot_root() { import -window root "png:$1"; }

# Colour of one pixel of a PNG as "r,g,b".
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Number of distinct colours in a region of a PNG: a rough measure of "something is drawn there".
colours_in() {
  convert "$1" -crop "$2" +repage -unique-colors -format "%w" info:
}

# Full screen reads relative pointer motion and warps the pointer back to the centre, so the game's
# pointer is steered in steps: far to the top-left corner first, then to (x, y). The steps are small
# enough that several of them landing between two frames of a busy machine still stay on the screen.
fullscreen_mouse_to() {
  local x=$1 y=$2
  for _ in 1 2 3 4 5 6 7 8; do xdotool mousemove_relative -- -200 -200; sleep 0.04; done
  while [ "$x" -gt 0 ] || [ "$y" -gt 0 ]; do
    local sx=$(( x > 90 ? 90 : x )) sy=$(( y > 90 ? 90 : y ))
    xdotool mousemove_relative -- "$sx" "$sy"
    x=$((x - sx)); y=$((y - sy))
    sleep 0.04
  done
  sleep 0.1
}

# A click held for a few frames but released before the game's 100 ms wait ends.
click_button() {
  xdotool mousedown "${1:-1}"
  sleep 0.05
  xdotool mouseup "${1:-1}"
  sleep 0.2
}

fullscreen_click() {
  fullscreen_mouse_to "$1" "$2"
  click_button "${3:-1}"
}

# Size of a picture in the data pack, "w h".
pack_picture_size() {
  "$E2E_BUILD/vesperine-pack" extract "$E2E_BUILD/VesperineData.pack" "$1" "$E2E_WORK/picture.png" >/dev/null
  identify -format "%w %h" "$E2E_WORK/picture.png"
}

# Pixels that differ between the same region of two PNGs.
region_difference() {
  convert "$1" -crop "$3" +repage "$E2E_WORK/a.png"
  convert "$2" -crop "$3" +repage "$E2E_WORK/b.png"
  compare -metric AE "$E2E_WORK/a.png" "$E2E_WORK/b.png" null: 2>&1 | cut -d' ' -f1
}

# The newest screenshot the game saved, after waiting for a new one to appear.
wait_for_screenshot() {
  local before=$1
  for _ in $(seq 1 50); do
    local count
    count=$(ls "$(save_dir)" | grep -c '^Vesperine .*\.png$' || true)
    if [ "$count" -gt "$before" ]; then
      ls -t "$(save_dir)"Vesperine\ *.png | head -n1
      return 0
    fi
    sleep 0.1
  done
  fail "no new screenshot"
}
screenshot_count() { ls "$(save_dir)" 2>/dev/null | grep -c '^Vesperine .*\.png$' || true; }

# Takes a screenshot with S and copies it to $E2E_SHOTS/NAME.png.
take_screenshot() {
  local before
  before=$(screenshot_count)
  press s
  local shot
  shot=$(wait_for_screenshot "$before")
  local size=-1
  while [ "$(stat -c %s "$shot")" != "$size" ]; do size=$(stat -c %s "$shot"); sleep 0.3; done  # written out
  cp "$shot" "$E2E_SHOTS/$1.png"
  [[ "$(basename "$shot")" =~ ^Vesperine\ [0-9]{2}-[0-9]{2}-[0-9]{4}\ [0-9]{2}-[0-9]{2}-[0-9]{2}\.png$ ]] \
    || fail "screenshot name: $shot"
  rm -f "$shot"
}

# Root mean square level of the captured audio (S16LE), 0 for silence.
audio_level() {
  python3 - "$E2E_AUDIO" "${1:-0}" <<'PY'
import struct, sys, math
data = open(sys.argv[1], 'rb').read()[int(sys.argv[2]):]
n = len(data) // 2
if n == 0:
    print(0); sys.exit()
samples = struct.unpack('<%dh' % n, data[:2 * n])
print(int(math.sqrt(sum(s * s for s in samples[::7]) / len(samples[::7]))))
PY
}
audio_bytes() { stat -c %s "$E2E_AUDIO" 2>/dev/null || echo 0; }

# The panel of a dialog is showing: its empty amber area (the colour of the text pictures) at (x, y).
panel_shows() {
  local r g b
  IFS=, read -r r g b <<<"$(pixel "$1" "$2" "$3")"
  [ $((r - 241)) -ge -3 ] && [ $((r - 241)) -le 3 ] && [ $((g - 172)) -ge -3 ] && [ $((g - 172)) -le 3 ] \
    && [ $((b - 71)) -ge -3 ] && [ $((b - 71)) -le 3 ]
}

# Skips the logo and the title with Space until the menu panel shows at (x, y).
wait_for_menu() {
  local x=$1 y=$2
  for _ in $(seq 1 60); do
    screenshot_root "$E2E_WORK/now.png"
    if panel_shows "$E2E_WORK/now.png" "$x" "$y"; then return 0; fi
    press space
    sleep 0.3
  done
  fail "the menu did not show"
}

# The window kinds: clicks go to the window at window-relative positions, screenshots of the window.
window_click() {
  xdotool mousemove --window "$GAME_WINDOW" "$1" "$2"
  sleep 0.05
  xdotool click "${3:-1}"
  sleep 0.15
}
window_shot() { import -window "$GAME_WINDOW" "png:$1"; }

wait_for_window_menu() {
  local x=$1 y=$2
  for _ in $(seq 1 60); do
    window_shot "$E2E_WORK/now.png"
    if panel_shows "$E2E_WORK/now.png" "$x" "$y"; then return 0; fi
    xdotool windowactivate --sync "$GAME_WINDOW" 2>/dev/null || true
    press space
    sleep 0.3
  done
  fail "the menu did not show"
}

# Map state of the game's window as xwininfo reports it (IsViewable, IsUnMapped).
window_map_state() { xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Map State: //p'; }

# The captured audio of the next second, after the change has settled: "silent" or "playing".
expect_music() {
  sleep 0.6
  local mark level
  mark=$(audio_bytes)
  sleep 1
  level=$(audio_level "$mark")
  if [ "$1" = silent ]; then [ "$level" -lt 30 ] || fail "$2 (level $level)"; else [ "$level" -gt 200 ] || fail "$2 (level $level)"; fi
}
# Takes a new picture with SHOT FILE until CHECK... holds, for about ten seconds: a loaded machine
# draws a click's answer late. until_shown SHOT FILE CHECK...
until_shown() {
  local shot=$1 file=$2
  shift 2
  for _ in $(seq 1 40); do "$shot" "$file"; "$@" && return 0; sleep 0.25; done
  return 1
}
panel_hidden() { ! panel_shows "$@"; }
# More than N pixels differ in REGION of the two pictures: changed_more A B REGION N
changed_more() { [ "$(region_difference "$1" "$2" "$3")" -gt "$4" ]; }
