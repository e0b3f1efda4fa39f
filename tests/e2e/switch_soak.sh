#!/usr/bin/env bash
# Soak of the screen switch: from the window with a game running, F11 to full screen and F11 back,
# ten times in a row (or as often as told), each screen seen with its menu. Fails when the resident
# memory after the last switch back is more than 5 % above the first's, and, with the game built
# with AddressSanitizer, on any sanitizer report or a leak at exit.
#   tests/e2e/switch_soak.sh BUILD_DIR [GAME [SWITCHES]]     (the build's own game, ten switches)
# GAME: for the sanitizer's reports, the vesperine executable of a build configured with
# -DVESPERINE_SANITIZE=ON.
E2E_KIND=1
game=$(realpath "${2:-$1/vesperine}")
suppressions=$(realpath "$(dirname "$0")/lsan.supp")
switches=${3:-10}
source "$(dirname "$0")/lib.sh" "$1"

start_x 1920x1080 wm
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
cp "$game" "$E2E_GAME_DIR/vesperine"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$suppressions"
E2E_AUDIO=/dev/null
menu_game
click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))   # START
click_answered "$(card_x 0)" "$(card_y 0)"                          # a card up
click_answered 640 400 3                                            # the menu over the game

resident_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$(pgrep -P "$GAME_PID" vesperine)/status"; }
sanitizer_quiet() { ! grep -q 'ERROR: \(Address\|Leak\|UndefinedBehavior\)Sanitizer\|runtime error:' "$E2E_WORK/game.out"; }
full_menu() { grab root "$E2E_WORK/now.ppm" && panel_shows "$E2E_WORK/now.ppm" 960 $(( (1080 - MENU_H) / 2 + 600 )); }
window_menu() { wait_for_window && window_shot "$E2E_WORK/now.ppm" && menu_shows "$E2E_WORK/now.ppm"; }

first_kb=""
for switch in $(seq 1 "$switches"); do
  press F11
  until_true full_menu || fail "switch $switch: no full-screen menu"
  press F11
  until_true window_menu || fail "switch $switch: no window menu"
  xdotool windowactivate --sync "$GAME_WINDOW"
  sanitizer_quiet || fail "sanitizer report at switch $switch"
  kb=$(resident_kb)
  [ -n "$first_kb" ] || first_kb=$kb
  echo "switch $switch there and back; resident memory ${kb} kB"
done

quits_by "the game did not end on Escape" press Escape
sanitizer_quiet || { grep -A30 'Sanitizer' "$E2E_WORK/game.out" | head -60 >&2; fail "sanitizer report at exit"; }
[ $((kb * 100)) -le $((first_kb * 105)) ] || fail "resident memory grew from ${first_kb} kB to ${kb} kB"
echo "switch soak: $switches switches, resident memory ${first_kb} kB after the first, ${kb} kB after the last"
