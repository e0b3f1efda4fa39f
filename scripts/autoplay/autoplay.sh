#!/usr/bin/env bash
# The automated player: the real game under a private X server, one whole game won in the given
# screen kind with a picture of each stage kept; then the menu, where CONTINUE must be dimmed, and
# a second deal, which must come in the other card set. Prints the full path of every picture.
# Its hands are the mouse, or with "keys" the keys alone: the arrows and Return through the menu,
# the board, the pause's new-game question (answered NO) and the quit question (YES).
# Anything off on the screen fails loudly, keeping the last screen as last-screen.png.
#   scripts/autoplay/autoplay.sh BUILD_DIR KIND OUT_DIR [keys]    KIND: 0 full screen, 1 window, 2 borderless
set -u
E2E_KIND=${2:?screen kind 0, 1 or 2}
mkdir -p "${3:?directory for the pictures}"
E2E_SHOTS=$(cd "$3" && pwd)
E2E_HANDS=${4:-mouse}
stages=(logo title menu board turned pair-found wrong-pair wrong-pair-back paused well-done
        menu-after-clearing second-deal)
for stage in "${stages[@]}" last-screen; do rm -f "$E2E_SHOTS/$stage.png"; done
E2E_GAME_SECONDS=2600   # a whole game on a loaded machine
source "$(dirname "$0")/player.sh" "$1"

start_x 1280x720
make_game_dir "$(printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = %s\nScreenMode = 1280x720\n' "$E2E_KIND")"
start_game
wait_for_window
[ "$E2E_KIND" = 0 ] || xdotool windowfocus --sync "$GAME_WINDOW"

continue_row="500x80+390+$((MENU_TOP + 230))"
start_row="500x80+390+$((MENU_TOP + 150))"
capture_intro logo
capture_intro title logo
player_wait_for_menu
player_look "$E2E_SHOTS/menu.png"
# The pause: the menu over the running game, then back to the game with CONTINUE. With the keys,
# START on the way asks whether to give up this game, and NO keeps it. The menu's first press of a
# key only shows the focus ring, on START.
if [ "$E2E_HANDS" = keys ]; then
  key Down Return
  look_for "$E2E_SHOTS/board.png" board || fail "Return on START did not deal"
  play_first_round
  key Escape
  look_for "$E2E_SHOTS/paused.png" menu || fail "Escape did not open the menu over the game"
  key Return
  wait_still
  player_look "$E2E_WORK/asked.ppm"
  menu_shows "$E2E_WORK/asked.ppm" && [ "$(region_difference "$E2E_WORK/paused.ppm" "$E2E_WORK/asked.ppm" "$continue_row")" -gt 1000 ] \
    || fail "START did not ask before a new game"
  key Right Return Down Return
  look_for "$E2E_WORK/continued.png" board || fail "NO and CONTINUE did not return to the game"
else
  click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))          # START
  play_first_round
  click_until "$E2E_SHOTS/paused.png" menu 640 400 3
  click_until "$E2E_WORK/continued.png" board 640 $((MENU_TOP + 270))       # CONTINUE
fi
play_second_round

# A click anywhere (or Return) leads to the menu, where there is no game left to continue. It lands
# beside the menu panel: a full-screen button still held when the menu opens must not choose an entry.
if [ "$E2E_HANDS" = keys ]; then
  key Return
  look_for "$E2E_SHOTS/menu-after-clearing.png" menu || fail "Return on the banner did not lead to the menu"
else
  click_until "$E2E_SHOTS/menu-after-clearing.png" menu 100 700
fi
[ "$(region_difference "$E2E_WORK/paused.ppm" "$E2E_WORK/menu-after-clearing.ppm" "$continue_row")" -gt 1000 ] \
  || fail "CONTINUE is not dimmed after the board was cleared"
[ "$(region_difference "$E2E_WORK/paused.ppm" "$E2E_WORK/menu-after-clearing.ppm" "$start_row")" -lt 100 ] \
  || fail "START changed after the board was cleared"

# The next deal alternates the card set: its backs are not the first deal's.
if [ "$E2E_HANDS" = keys ]; then
  key Return
  look_for "$E2E_SHOTS/second-deal.png" board || fail "START did not deal again"
else
  click_until "$E2E_SHOTS/second-deal.png" board 640 $((MENU_TOP + 190))    # START
fi
grab "$E2E_WORK/seen.ppm" - $(card_crop 0 "$CARDS/second-0.ppm") $(card_crop 47 "$CARDS/second-47.ppm")
same_picture "$CARDS/second-0.ppm" "$CARDS/second-47.ppm" || fail "the second deal is not a board of card backs"
! same_picture "$CARDS/second-0.ppm" "$CARDS/back-0.ppm" || fail "the second deal uses the first deal's card set"

# Escape leaves the game for the menu; there Escape ends the game, or with the keys QUIT (a step
# up from START, round the end) and YES of its question.
if [ "$E2E_HANDS" = keys ]; then
  key Escape Up Return Return
  wait_for_exit 100 || fail "YES by Return did not end the game"
else
  press Escape
  look_for "$E2E_WORK/menu-again.png" menu 50 || fail "Escape did not open the menu"
  press Escape
  wait_for_exit 100 || fail "the game did not end cleanly"
fi
saved_prefs_are en_GB 1 "$E2E_KIND" 1280x720 || fail "preferences not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"

for stage in "${stages[@]}"; do echo "$stage: $E2E_SHOTS/$stage.png"; done
echo "automated player, screen kind $E2E_KIND, $E2E_HANDS: won a whole game"
