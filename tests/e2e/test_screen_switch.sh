#!/usr/bin/env bash
# The screen kind changed from inside the game under openbox on a 1920x1080 desktop: from the window,
# SETTINGS, the SCREEN row stepped to full screen and OK give full screen with the menu over the same
# board (the card turned before is still up); F11 brings the 1280x720 window back, and quitting saves
# the window kind. Then the window resized by the window manager to 1600x900 is laid out at that
# size (S saves a 1600x900 picture) and its size is saved.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1920x1080 wm
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
window_width() { xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Width: //p'; }
# The game's window, shown at WIDTH wide (a new window after each switch).
window_of_width() {
  for _ in $(seq 1 100); do
    GAME_WINDOW=$(xdotool search --onlyvisible --name '^Vesperine 1' 2>/dev/null | tail -n1)
    [ -n "$GAME_WINDOW" ] && [ "$(window_width 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
# Card (column, row) of a board laid out at a screen of width W and height H is the same picture
# as card (column2, row2), but for the rounding of where each is sampled: same_card W H C R C2 R2 FILE
same_card() {
  local size=$(( ($2 - 60) / 6 )) left top
  left=$(( ($1 - (size + 10) * 8) / 2 + 5 )) top=$(( ($2 - (size + 10) * 6) / 2 + 5 ))
  convert "$7" -crop "$((size - 40))x$((size - 40))+$((left + (size + 10) * $3 + 20))+$((top + (size + 10) * $4 + 20))" +repage "$E2E_WORK/a.png"
  convert "$7" -crop "$((size - 40))x$((size - 40))+$((left + (size + 10) * $5 + 20))+$((top + (size + 10) * $6 + 20))" +repage "$E2E_WORK/b.png"
  [ "$(compare -metric AE -fuzz 5% "$E2E_WORK/a.png" "$E2E_WORK/b.png" null: 2>&1)" -lt 50 ]
}

open_game /LOG
xdotool windowactivate --sync "$GAME_WINDOW"
player_wait_for_menu
click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))   # START
click_answered "$(card_x 0)" "$(card_y 0)"                          # the first card up
click_answered 640 400 3                                            # the menu over the game
click_answered 640 $((MENU_TOP + 350))                              # SETTINGS
click_answered $((MENU_LEFT + 279)) $((MENU_TOP + 360))             # SCREEN: window -> full screen
shot settings-full-screen
window_click $((MENU_LEFT + 110)) $((MENU_TOP + 560))               # OK
window_of_width 1920 || fail "OK did not open full screen"
full_top=$(( (1080 - MENU_H) / 2 ))
until_shown screenshot_root "$E2E_SHOTS/full-screen.png" panel_shows "$E2E_SHOTS/full-screen.png" 960 $((full_top + 600)) \
  || fail "no menu in full screen"
same_card 1920 1080 1 0 2 0 "$E2E_SHOTS/full-screen.png" || fail "the board changed: two cards down differ"
same_card 1920 1080 0 0 1 0 "$E2E_SHOTS/full-screen.png" && fail "the card turned before is down in full screen"
game_log | grep -q $'^Opening screen (Fullscreen):\t\tOK$' || fail "no full-screen opening logged"

f11_until window_of_width 1280 || fail "F11 did not bring the 1280x720 window back"
xdotool windowactivate --sync "$GAME_WINDOW"
player_wait_for_menu
window_shot "$E2E_SHOTS/window-again.png"
same_card 1280 720 0 0 1 0 "$E2E_SHOTS/window-again.png" && fail "the card turned before is down in the window"
quits_by "the game did not end on the close request" wmctrl -c "Vesperine 1"
saved_prefs_are en_GB 1 1 1280x720 || fail "window kind not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"

# ---- The window manager's size: laid out at it once it has settled, and kept.
rm -f "$E2E_GAME_DIR"/Log*.log
open_game
xdotool windowactivate --sync "$GAME_WINDOW"
player_wait_for_menu
xdotool windowsize "$GAME_WINDOW" 1600 900
resized_wide() { [ "$(window_width)" = 1600 ]; }
until_true resized_wide || fail "openbox did not resize the window"
laid_out_wide() { take_screenshot resized && [ "$(identify -format %wx%h "$E2E_SHOTS/resized.png")" = 1600x900 ]; }
until_true laid_out_wide || fail "the game was not laid out at 1600x900: $(identify -format %wx%h "$E2E_SHOTS/resized.png")"
panel_shows "$E2E_SHOTS/resized.png" 800 $(( (900 - MENU_H) / 2 + 600 )) || fail "no menu in the middle of the 1600x900 picture"
quits_by "the resized game did not end on the close request" wmctrl -c "Vesperine 1"
saved_prefs_are en_GB 1 1 1600x900 || fail "the window's size not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"
echo "screen switch: OK"
