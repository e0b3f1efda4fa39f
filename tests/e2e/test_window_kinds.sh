#!/usr/bin/env bash
# The windowed and the borderless kinds under a window manager, at their sizes: the music pauses
# while minimised and resumes on restore, a borderless window steps aside when another window takes
# the focus, and the window manager's close button ends the game. (START, cards turned, CONTINUE, the
# menu on the right button and the settings in a window: the screens tour's and the keyboard tour's;
# the borderless cards: the automated player's; the preferences saved at the others' close: the
# desktop requests'.)
source "$(dirname "$0")/lib.sh" "$1"

start_x 1600x900 wm
# The game activated, WIDTH wide, at its menu (panel from TOP, at X the screen's middle), kept as
# NAME-menu.png. open_at_menu NAME WIDTH X TOP
open_at_menu() {
  start_game /LOG
  wait_for_window
  xdotool windowactivate --sync "$GAME_WINDOW"
  [ "$(xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Width: //p')" = "$2" ] || fail "$1: window width, not $2"
  wait_for_window_menu "$3" $(($4 + 600))
  window_shot "$E2E_SHOTS/$1-menu.png"
}

# ---- windowed
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
open_at_menu window 1280 640 "$MENU_TOP"
# Minimised, the music pauses; restored, it plays on.
expect_music playing "no music before minimising"
xdotool windowminimize --sync "$GAME_WINDOW"
expect_music silent "the music went on while minimised"
xdotool windowactivate --sync "$GAME_WINDOW"
expect_music playing "the music did not resume on restore"
quits_by "the game did not end cleanly after the close request" wmctrl -c "Vesperine 1"
game_log | grep -q $'^Opening screen (Windowed):\t\tOK$' || fail "log lacks the windowed opening"

# ---- borderless: the desktop's size
printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 2\nScreenMode = 800x600\n' >"${E2E_GAME_DIR}Vesperine.prefs"
rm -f "$E2E_AUDIO"
open_at_menu borderless 1600 800 $(( (900 - MENU_H) / 2 ))
expect_music playing "no music in the borderless window"
# Another window takes the focus: the game pauses its music and minimises itself.
other_window +50+50 && xdotool windowactivate --sync "$OTHER"
until_true window_hidden || fail "the borderless window did not minimise itself"
expect_music silent "the music went on after losing the focus"
xdotool windowactivate --sync "$GAME_WINDOW"
expect_music playing "the music did not resume with the focus"
quits_by "the borderless game did not end cleanly after the close request" wmctrl -c "Vesperine 1"
saved_prefs_are en_GB 1 2 800x600 || fail "preferences not saved by the borderless game"
echo "window kinds: OK"
