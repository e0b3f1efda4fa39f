#!/usr/bin/env bash
# Soak: the game built with AddressSanitizer plays whole games in a row in a window, visiting every
# screen on the way (credits, settings, the quit question, the menu over a running game). Fails on
# any sanitizer report, on a leak at exit, and when the resident memory after the last game is more
# than 5 % above the first game's.
#   tests/e2e/soak.sh BUILD_DIR ASAN_GAME [GAMES]     (ten games unless told)
# BUILD_DIR: an ordinary build (the packs, the pack tool); ASAN_GAME: the vesperine executable of a
# build configured with -DVESPERINE_SANITIZE=ON.
E2E_KIND=1
asan_game=$(realpath "${2:?the sanitizer build of vesperine}")
suppressions=$(realpath "$(dirname "$0")/lsan.supp")
games=${3:-10}
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
cp "$asan_game" "$E2E_GAME_DIR/vesperine"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 LSAN_OPTIONS="suppressions=$suppressions"
E2E_GAME_SECONDS=7200 E2E_AUDIO=/dev/null  # hours of music kept nowhere
menu_game

resident_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$(pgrep -P "$GAME_PID" vesperine)/status"; }
sanitizer_quiet() { ! grep -q 'ERROR: \(Address\|Leak\|UndefinedBehavior\)Sanitizer\|runtime error:' "$E2E_WORK/game.out"; }

first_kb=""
for game in $(seq 1 "$games"); do
  click_answered 640 $((MENU_TOP + 430))                            # CREDITS
  click_answered 640 $((MENU_TOP + 560))                            # its OK
  click_answered 640 $((MENU_TOP + 350))                            # SETTINGS
  click_answered $((MENU_LEFT + 110)) $((MENU_TOP + 560))           # OK, nothing changed
  click_answered 640 $((MENU_TOP + 520))                            # QUIT
  click_answered $(( (1280 - 540) / 2 + 500 )) $((MENU_TOP + 320))  # NO
  click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))     # START
  play_first_round
  click_until "$E2E_WORK/paused.png" menu 640 400 3                     # the menu over the game
  click_until "$E2E_WORK/continued.png" board 640 $((MENU_TOP + 270))  # CONTINUE
  play_second_round
  click_until "$E2E_WORK/menu.png" menu 100 700                         # past the banner
  sanitizer_quiet || fail "sanitizer report during game $game"
  kb=$(resident_kb)
  [ -n "$first_kb" ] || first_kb=$kb
  echo "game $game won; resident memory ${kb} kB"
done

press Escape
wait_for_exit 600
status=$?
sanitizer_quiet || { grep -A30 'Sanitizer' "$E2E_WORK/game.out" | head -60 >&2; fail "sanitizer report at exit"; }
[ "$status" -eq 0 ] || fail "the game ended with status $status"
[ $((kb * 100)) -le $((first_kb * 105)) ] || fail "resident memory grew from ${first_kb} kB to ${kb} kB"
echo "soak: $games games, resident memory ${first_kb} kB after the first, ${kb} kB after the last"
