#!/usr/bin/env bash
# The automated player: the real game under a private X server, one whole game won in the given
# screen kind with a picture of each stage kept; then the menu, where CONTINUE must be dimmed, and
# a second deal, which must come in the other card set. Prints the full path of every picture.
# Anything off on the screen fails loudly, keeping the last screen as last-screen.png.
#   scripts/autoplay/autoplay.sh BUILD_DIR KIND OUT_DIR     KIND: 0 full screen, 1 window, 2 borderless
set -u
E2E_KIND=${2:?screen kind 0, 1 or 2}
mkdir -p "${3:?directory for the pictures}"
E2E_SHOTS=$(cd "$3" && pwd)
stages=(logo title menu board turned pair-found wrong-pair wrong-pair-back paused well-done
        menu-after-clearing second-deal)
for stage in "${stages[@]}" last-screen; do rm -f "$E2E_SHOTS/$stage.png"; done
E2E_GAME_SECONDS=1700   # a whole game on a loaded machine
source "$(dirname "$0")/player.sh" "$1"

start_x 1280x720
make_game_dir "$(printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = %s\nScreenMode = 1280x720\n' "$E2E_KIND")"
start_game
wait_for_window
[ "$E2E_KIND" = 0 ] || xdotool windowfocus --sync "$GAME_WINDOW"

capture_intro logo
capture_intro title logo
player_wait_for_menu
player_look "$E2E_SHOTS/menu.png"
click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))          # START
play_first_round

# The menu over the running game, then back to it with CONTINUE.
click_until "$E2E_SHOTS/paused.png" menu 640 400 3
click_until "$E2E_WORK/continued.png" board 640 $((MENU_TOP + 270))       # CONTINUE
play_second_round

# A click anywhere leads to the menu, where there is no game left to continue. It lands beside the
# menu panel: a full-screen button still held when the menu opens must not choose an entry.
click_until "$E2E_SHOTS/menu-after-clearing.png" menu 100 700
continue_row="500x80+390+$((MENU_TOP + 230))"
start_row="500x80+390+$((MENU_TOP + 150))"
[ "$(region_difference "$E2E_SHOTS/paused.png" "$E2E_SHOTS/menu-after-clearing.png" "$continue_row")" -gt 1000 ] \
  || fail "CONTINUE is not dimmed after the board was cleared"
[ "$(region_difference "$E2E_SHOTS/paused.png" "$E2E_SHOTS/menu-after-clearing.png" "$start_row")" -lt 100 ] \
  || fail "START changed after the board was cleared"

# The next deal alternates the card set: its backs are not the first deal's.
click_until "$E2E_SHOTS/second-deal.png" board 640 $((MENU_TOP + 190))    # START
crop_card "$E2E_SHOTS/second-deal.png" 0 "$CARDS/second-0.png"
crop_card "$E2E_SHOTS/second-deal.png" 47 "$CARDS/second-47.png"
same_picture "$CARDS/second-0.png" "$CARDS/second-47.png" || fail "the second deal is not a board of card backs"
! same_picture "$CARDS/second-0.png" "$CARDS/back-0.png" || fail "the second deal uses the first deal's card set"

# Escape leaves the game for the menu, and Escape in the menu ends the game.
press Escape
for _ in $(seq 1 50); do player_look "$E2E_WORK/menu-again.png"; menu_shows "$E2E_WORK/menu-again.png" && break; sleep 0.1; done
menu_shows "$E2E_WORK/menu-again.png" || fail "Escape did not open the menu"
press Escape
wait_for_exit 100 || fail "the game did not end cleanly"
grep -q "^GameScreen = $E2E_KIND\$" "${E2E_GAME_DIR}Vesperine.prefs" || fail "preferences not saved"

for stage in "${stages[@]}"; do echo "$stage: $E2E_SHOTS/$stage.png"; done
echo "automated player, screen kind $E2E_KIND: won a whole game"
