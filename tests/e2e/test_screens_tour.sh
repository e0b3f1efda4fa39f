#!/usr/bin/env bash
# Every screen of the game in a window, with the mouse and no whole game: the logo, the title, the
# menu, the credits, the quit question answered NO, the settings left with OK (the menu as before),
# a deal and two turns, the menu over the running game, its new-game question answered NO, the quit
# question answered YES; then the game again, in German stepped to in the settings and saved. The
# docs keep these pictures. Each click is waited for on the screen.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
no_x=$(( (1280 - 540) / 2 + 540 - 40 ))
menu_is_shown() { player_look "$E2E_WORK/now.ppm"; menu_shows "$E2E_WORK/now.ppm" || fail "$1"; }

open_game
capture_intro logo
capture_intro title logo
player_wait_for_menu
shot menu
click_answered 640 $((MENU_TOP + 430)); shot credits          # CREDITS
click_answered 640 $((MENU_TOP + 560)); menu_is_shown "OK of the credits did not return to the menu"
click_answered 640 $((MENU_TOP + 520)); shot ask-quit         # QUIT
click_answered "$no_x" $((MENU_TOP + 320)); menu_is_shown "NO did not keep the game running"
click_answered 640 $((MENU_TOP + 350)); shot settings         # SETTINGS
click_answered $((MENU_LEFT + 110)) $((MENU_TOP + 560))       # OK, nothing changed
shot menu-again
changed_more "$E2E_SHOTS/menu.png" "$E2E_SHOTS/menu-again.png" 1280x720+0+0 0 && fail "the menu changed after the settings were left unchanged"
click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))   # START
play_first_round 0 3

# The menu over the running game; START asks first, and NO keeps the game; CONTINUE returns to it.
click_answered 640 400 3; shot paused
click_answered 640 $((MENU_TOP + 190)); shot ask-new-game
click_answered "$no_x" $((MENU_TOP + 320)); menu_is_shown "NO did not keep the running game"
click_until "$E2E_WORK/continued.png" board 640 $((MENU_TOP + 270))
changed_more "$E2E_SHOTS/turned.png" "$E2E_SHOTS/board.png" 120x120+165+5 1000 || fail "no card turned in the picture of the first turn"
click_answered 640 400 3
click_answered 640 $((MENU_TOP + 520))                        # QUIT, and YES
quits_by "YES of the quit question did not end the game" click_answered $((1280 - no_x)) $((MENU_TOP + 320))

# The menu and the settings in German: Deutsch is nine steps after English in the chooser.
menu_game
click_answered 640 $((MENU_TOP + 350))
for _ in 1 2 3 4 5 6 7 8 9; do click_answered $((MENU_LEFT + 579)) $((MENU_TOP + 240)); done
click_answered $((MENU_LEFT + 110)) $((MENU_TOP + 560))
shot menu-deutsch
click_answered 640 $((MENU_TOP + 350))
shot settings-deutsch
quits_by "Escape at the menu did not end the game" key Escape Escape
grep -q '^Language = de_DE$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "German not saved"
keep_shots "$E2E_SHOTS"/*.png
echo "screens tour: OK"
