#!/usr/bin/env bash
# A whole game in a window, played as a player with a perfect memory would: every card seen once,
# then every pair taken, up to the well-done banner; on the way, every screen of the game is
# captured (the docs keep these pictures) and the questions, the credits and the settings answer.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
menu_left=$MENU_LEFT
menu_top=$MENU_TOP
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
start_game
wait_for_window
xdotool windowfocus --sync "$GAME_WINDOW"

capture_intro logo
capture_intro title logo
wait_for_window_menu 640 $((menu_top + 600))
window_shot "$E2E_SHOTS/menu.png"

window_click 640 $((menu_top + 430))    # CREDITS
window_shot "$E2E_SHOTS/credits.png"
window_click 640 $((menu_top + 560))    # OK of the credits
window_click 640 $((menu_top + 520))    # QUIT
window_shot "$E2E_SHOTS/ask-quit.png"
read -r _ no_x < <(echo "x $(( (1280 - 540) / 2 + 540 - 40 ))")
window_click "$no_x" $((menu_top + 320)) # NO
window_click 640 $((menu_top + 350))    # SETTINGS
window_shot "$E2E_SHOTS/settings.png"
window_click $((menu_left + 110)) $((menu_top + 560))   # OK, nothing changed
window_click 640 $((menu_top + 190))    # START
window_shot "$E2E_SHOTS/board.png"

play_first_round

# Pause on the way: the menu over the running game, a new-game question answered NO.
window_click 640 400 3
window_shot "$E2E_SHOTS/paused.png"
window_click 640 $((menu_top + 190))
window_shot "$E2E_SHOTS/ask-new-game.png"
window_click "$no_x" $((menu_top + 320))
window_click 640 $((menu_top + 270))    # CONTINUE

play_second_round
window_click 640 400
window_shot "$E2E_SHOTS/menu-after.png"
panel_shows "$E2E_SHOTS/menu-after.png" 640 $((menu_top + 600)) || fail "a click on the banner did not return to the menu"

# The menu and the settings in German: Deutsch is nine steps after English in the chooser.
window_click 640 $((menu_top + 350))
for _ in 1 2 3 4 5 6 7 8 9; do window_click $((menu_left + 579)) $((menu_top + 240)); done
window_click $((menu_left + 110)) $((menu_top + 560))
window_shot "$E2E_SHOTS/menu-deutsch.png"
window_click 640 $((menu_top + 350))
window_shot "$E2E_SHOTS/settings-deutsch.png"
press Escape
press Escape
wait_for_exit 100 || fail "Escape at the menu did not end the game"
grep -q '^Language = de_DE$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "German not saved"
if [ -n "${E2E_SHOTS_OUT:-}" ]; then mkdir -p "$E2E_SHOTS_OUT" && cp "$E2E_SHOTS"/*.png "$E2E_SHOTS_OUT"/; fi
echo "whole game: OK"
