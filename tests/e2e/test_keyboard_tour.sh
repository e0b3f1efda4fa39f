#!/usr/bin/env bash
# The keys alone in a window, through every screen but the board (the automated player plays a whole
# game with the keys): the arrows move the focus ring, Return clicks what it surrounds. On the way
# the menu and settings switch to Русский and Ελληνικά (pictures for the docs), a mouse click hides
# the ring, leaving the screen as before the first arrow. (Keypad Enter and the keys in full screen:
# the focus's and the full-screen tests.)
source "$(dirname "$0")/lib.sh" "$1"
start_x 1280x720

# A click at (x, y) where nothing is only hides the ring; then the picture NAME.
click_shot() { click_answered "$1" "$2"; shot "$3"; }
differs() { [ "$(region_difference "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$2.png" "$3")" -gt "$4" ]; }

make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n'
menu_game
shot menu-before
key Down
# A click on the empty panel hides the ring: the picture is again exactly the one before any arrow.
click_shot 640 $((MENU_TOP + 610)) menu-clicked
differs menu-before menu-clicked 1280x720+0+0 0 && fail "the screen after the click differs from the one before the first arrow"

# The chooser lists Português, Nederlands, English, Magyar, Русский, Ελληνικά, ...: two steps on.
# Every screen starts with the focus on its first item; in the settings the left language arrow.
key Down Down Down Return Right Return Return Down Down Down Down Down Return   # SETTINGS, twice the right arrow, OK past MUSIC, SOUNDS and SCREEN
click_shot 640 $((MENU_TOP + 610)) menu-russian
key Down Down Down Return                 # SETTINGS again
click_shot 640 $((MENU_TOP + 450)) settings-russian
key Down Right Return Down Down Down Down Down Return    # one step on to Ελληνικά, OK
click_shot 640 $((MENU_TOP + 610)) menu-greek
key Down Down Down Return
click_shot 640 $((MENU_TOP + 450)) settings-greek
differs menu-before menu-russian "600x400+340+$((MENU_TOP + 140))" 2000 || fail "the menu is not in Русский"
differs menu-russian menu-greek "600x400+340+$((MENU_TOP + 140))" 2000 || fail "the menu is not in Ελληνικά"
# CANCEL by wrapping upwards; CREDITS and its OK; QUIT and NO; then QUIT again, a step up round the
# end from START, and YES of its question.
key Down Up Return Up Up Return Return Up Return Right Return
quits_by "YES by Return did not end the game" key Up Return Return
grep -q '^Language = el_GR$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "Ελληνικά not saved"
keep_shots "$E2E_SHOTS"/{menu,settings}-{russian,greek}.png
echo "keyboard tour: OK"
