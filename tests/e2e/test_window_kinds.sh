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
now="$E2E_WORK/now.png"
width_is() { [ "$(xwininfo -id "$GAME_WINDOW" | sed -n 's/.*Width: //p')" = "$1" ] || fail "window width, not $1"; }

# ---- windowed
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
start_game /LOG
wait_for_window
xdotool windowactivate --sync "$GAME_WINDOW"
wait_for_window_menu 640 $((menu_top + 600))
width_is 1280
window_shot "$E2E_SHOTS/window-menu.png"
window_click 640 $((menu_top + 190))          # START
until_shown window_shot "$E2E_SHOTS/window-board.png" panel_hidden "$E2E_SHOTS/window-board.png" 640 $((menu_top + 600)) \
  || fail "START did not show the board"
click_answered 220 60
click_answered 340 60
until_shown window_shot "$E2E_SHOTS/window-turned.png" \
  changed_more "$E2E_SHOTS/window-board.png" "$E2E_SHOTS/window-turned.png" "100x100+170+10" 2000 || fail "no card turned in the window"
window_click 700 400 3                          # right click: the menu
until_shown window_shot "$now" panel_shows "$now" 640 $((menu_top + 600)) || fail "the right button did not open the menu"
window_click 640 $((menu_top + 270))          # CONTINUE
until_shown window_shot "$now" panel_hidden "$now" 640 $((menu_top + 600)) || fail "CONTINUE did not return to the board"
window_click 700 400 3
until_shown window_shot "$now" panel_shows "$now" 640 $((menu_top + 600)) || fail "the menu did not open again"
click_answered 640 $((menu_top + 350))        # SETTINGS
click_answered $((menu_left + 579)) $((menu_top + 240))   # the next language
window_click $((menu_left + 110)) $((menu_top + 560))   # OK
until_shown window_shot "$now" changed_more "$E2E_SHOTS/window-menu.png" "$now" "500x80+390+$((menu_top + 480))" 1000 \
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
saved_prefs_are hu_HU 1 1 1280x720 || fail "preferences not saved: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"
game_log | grep -q $'^Opening screen (Windowed):\t\tOK$' || fail "log lacks the windowed opening"

# ---- borderless: the desktop's size, 140-pixel cards from (205, 5)
printf '[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 2\nScreenMode = 800x600\n' >"${E2E_GAME_DIR}Vesperine.prefs"
rm -f "$E2E_AUDIO"
start_game
wait_for_window
xdotool windowactivate --sync "$GAME_WINDOW"
width_is 1600
b_menu_top=$(( (900 - panel_h) / 2 ))
wait_for_window_menu 800 $((b_menu_top + 600))
window_click 800 $((b_menu_top + 190))
until_shown window_shot "$E2E_SHOTS/borderless-board.png" panel_hidden "$E2E_SHOTS/borderless-board.png" 800 $((b_menu_top + 600)) \
  || fail "START did not show the borderless board"
window_click 260 60
until_shown window_shot "$E2E_SHOTS/borderless-turned.png" \
  changed_more "$E2E_SHOTS/borderless-board.png" "$E2E_SHOTS/borderless-turned.png" "120x120+215+15" 2000 \
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
for _ in $(seq 1 40); do [ "$(window_map_state)" != IsViewable ] && break; sleep 0.25; done
[ "$(window_map_state)" != IsViewable ] || fail "the borderless window did not minimise itself"
expect_music silent "the music went on after losing the focus"
xdotool windowactivate --sync "$GAME_WINDOW"
expect_music playing "the music did not resume with the focus"
wmctrl -c "Vesperine 1" || fail "wmctrl could not ask the borderless window to close"
wait_for_exit 100 || fail "the borderless game did not end cleanly"
saved_prefs_are en_GB 1 2 800x600 || fail "preferences not saved by the borderless game"
if [ -n "${E2E_SHOTS_OUT:-}" ]; then mkdir -p "$E2E_SHOTS_OUT" && cp "$E2E_SHOTS"/*.png "$E2E_SHOTS_OUT"/; fi
echo "window kinds: OK"
