#!/usr/bin/env bash
# The windowed and the borderless kinds under a window manager: cards turned with clicks, the menu
# on the right button, the language changed in the settings, the music paused while minimised and
# resumed on restore, a borderless window stepping aside when another window takes the focus, and
# the window manager's close button ending the game with the preferences saved.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1600x900 wm
read -r panel_w panel_h < <(pack_picture_size menu.png)
menu_left=$(( (1280 - panel_w) / 2 ))
menu_top=$(( (720 - panel_h) / 2 ))

# ---- windowed
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
start_game /LOG
wait_for_window
xdotool windowactivate --sync "$GAME_WINDOW"
wait_for_window_menu 640 $((menu_top + 600))
[ "$(xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Width: //p')" = 1280 ] || fail "window width"
window_shot "$E2E_SHOTS/window-menu.png"

window_click 640 $((menu_top + 190))          # START
window_shot "$E2E_SHOTS/window-board.png"
window_click 220 60
window_click 340 60
window_shot "$E2E_SHOTS/window-turned.png"
[ "$(region_difference "$E2E_SHOTS/window-board.png" "$E2E_SHOTS/window-turned.png" "100x100+170+10")" -gt 2000 ] \
  || fail "no card turned in the window"
window_click 700 400 3                          # right click: the menu
window_shot "$E2E_SHOTS/window-paused.png"
panel_shows "$E2E_SHOTS/window-paused.png" 640 $((menu_top + 600)) || fail "the right button did not open the menu"
window_click 640 $((menu_top + 270))          # CONTINUE
window_shot "$E2E_SHOTS/window-continued.png"
! panel_shows "$E2E_SHOTS/window-continued.png" 640 $((menu_top + 600)) || fail "CONTINUE did not return to the board"

window_click 700 400 3
window_click 640 $((menu_top + 350))          # SETTINGS
window_click $((menu_left + 579)) $((menu_top + 240))   # the next language
window_click $((menu_left + 110)) $((menu_top + 560))   # OK
sleep 0.2
window_shot "$E2E_SHOTS/window-translated.png"
[ "$(region_difference "$E2E_SHOTS/window-menu.png" "$E2E_SHOTS/window-translated.png" "500x80+390+$((menu_top + 480))")" -gt 1000 ] \
  || fail "the menu was not rendered again in the new language"

# Minimised, the music pauses; restored, it plays on.
sleep 1
[ "$(audio_level "$(( $(audio_bytes) - 88200 ))")" -gt 200 ] || fail "no music before minimising"
xdotool windowminimize --sync "$GAME_WINDOW"
expect_music silent "the music went on while minimised"
xdotool windowactivate --sync "$GAME_WINDOW"
expect_music playing "the music did not resume on restore"

wmctrl -c "Vesperine 1" || fail "wmctrl could not ask the window to close"
wait_for_exit 100 || fail "the game did not end cleanly after the close request"
grep -q '^Language = hu_HU$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "language not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"
grep -q '^GameScreen = 1$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "screen kind not saved"
game_log | grep -q $'^Opening screen (Windowed):\t\tOK$' || fail "log lacks the windowed opening"

# ---- borderless
printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 2\nScreenMode = 800x600\n' >"${E2E_GAME_DIR}Vesperine.prefs"
rm -f "$E2E_AUDIO"
start_game
wait_for_window
xdotool windowactivate --sync "$GAME_WINDOW"
# Borderless takes the desktop's size: 140-pixel cards from (205, 5).
[ "$(xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Width: //p')" = 1600 ] || fail "borderless width"
b_menu_top=$(( (900 - panel_h) / 2 ))
wait_for_window_menu 800 $((b_menu_top + 600))
window_click 800 $((b_menu_top + 190))
window_shot "$E2E_SHOTS/borderless-board.png"
window_click 260 60
window_shot "$E2E_SHOTS/borderless-turned.png"
[ "$(region_difference "$E2E_SHOTS/borderless-board.png" "$E2E_SHOTS/borderless-turned.png" "120x120+215+15")" -gt 2000 ] \
  || fail "no card turned in the borderless window"
sleep 0.5
[ "$(audio_level "$(( $(audio_bytes) - 88200 ))")" -gt 200 ] || fail "no music in the borderless window"

# Another window takes the focus: the game pauses its music and minimises itself.
xmessage -geometry +50+50 "focus" &
E2E_PIDS+=($!)
thief=""
for _ in $(seq 1 50); do thief=$(xdotool search --onlyvisible --name '^xmessage$' | head -n1); [ -n "$thief" ] && break; sleep 0.1; done
[ -n "$thief" ] || fail "no second window"
xdotool windowactivate --sync "$thief"
sleep 0.8
[ "$(window_map_state)" != IsViewable ] || fail "the borderless window did not minimise itself"
expect_music silent "the music went on after losing the focus"
xdotool windowactivate --sync "$GAME_WINDOW"
expect_music playing "the music did not resume with the focus"

wmctrl -c "Vesperine 1" || fail "wmctrl could not ask the borderless window to close"
wait_for_exit 100 || fail "the borderless game did not end cleanly"
grep -q '^GameScreen = 2$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "preferences not saved by the borderless game"
if [ -n "${E2E_SHOTS_OUT:-}" ]; then mkdir -p "$E2E_SHOTS_OUT" && cp "$E2E_SHOTS"/*.png "$E2E_SHOTS_OUT"/; fi
echo "window kinds: OK"
