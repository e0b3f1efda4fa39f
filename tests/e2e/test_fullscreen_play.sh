#!/usr/bin/env bash
# Full screen, mouse only: logo and title skipped, a screenshot of the menu, a game started and
# cards turned, the menu opened with the right button and the game continued, the language and the
# music changed in the settings, and Escape at the menu ending the game with both saved.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
make_game_dir
start_game /LOG
wait_for_window

read -r panel_w panel_h < <(pack_picture_size menu.png)
menu_left=$(( (1280 - panel_w) / 2 ))
menu_top=$(( (720 - panel_h) / 2 ))

wait_for_menu 640 $((menu_top + 600))
take_screenshot menu
[ "$(identify -format '%w %h' "$E2E_SHOTS/menu.png")" = "1280 720" ] || fail "screenshot size"
[ "$(colours_in "$E2E_SHOTS/menu.png" "400x200+440+$((menu_top + 150))")" -gt 20 ] || fail "menu entries look empty"
game_log | grep -q $'^Saving screenshot:\t\tOK$' || sleep 0.5

# START: the board of card backs.
fullscreen_click 640 $((menu_top + 190))
sleep 0.3
take_screenshot board
# Two cards of the top row: their faces show.
fullscreen_click 220 60
fullscreen_click 340 60
take_screenshot turned
changed=$(region_difference "$E2E_SHOTS/board.png" "$E2E_SHOTS/turned.png" "100x100+170+10")
[ "$changed" -gt 2000 ] || fail "the first card did not turn ($changed pixels changed)"

# The right button opens the menu over the board; CONTINUE returns to it.
sleep 1.6
click_button 3
take_screenshot paused
panel_shows "$E2E_SHOTS/paused.png" 640 $((menu_top + 600)) || fail "the right button did not open the menu"
fullscreen_click 640 $((menu_top + 270))
take_screenshot continued
! panel_shows "$E2E_SHOTS/continued.png" 640 $((menu_top + 600)) || fail "CONTINUE did not return to the board"

# The music played so far.
[ "$(audio_level)" -gt 200 ] || fail "no music in the captured audio"

# Settings: the next language in the chooser (English is not the last one) and the music off. The
# log is buffered, so what changed is read from it after the end.
click_button 3
fullscreen_click 640 $((menu_top + 350))
take_screenshot settings
fullscreen_click $((menu_left + 579)) $((menu_top + 240))
fullscreen_click $((menu_left + 279)) $((menu_top + 280))
take_screenshot settings-changed
fullscreen_click $((menu_left + 110)) $((menu_top + 560))
sleep 0.3
take_screenshot menu-translated
[ "$(region_difference "$E2E_SHOTS/menu.png" "$E2E_SHOTS/menu-translated.png" "500x80+390+$((menu_top + 480))")" -gt 1000 ] \
  || fail "the menu was not rendered again in the new language"

press Escape
wait_for_exit 100 || true
prefs=$(cat "$(save_dir)Vesperine.prefs")
code=$(game_log | grep -o 'Load language ([a-z][a-z]_[A-Z][A-Z]):'$'\t\t''OK' | tail -n1 | sed 's/Load language (\(.*\)):.*/\1/')
[ "$code" != en_GB ] || fail "no language change in the log"
grep -q "^Language = $code\$" <<<"$prefs" || fail "preferences lack Language = $code: $prefs"
grep -q '^Music = 0$' <<<"$prefs" || fail "preferences lack Music = 0: $prefs"
game_log | grep -q $'^Opening screen (Fullscreen):\t\tOK$' || fail "log lacks the screen line"
if [ -n "${E2E_SHOTS_OUT:-}" ]; then mkdir -p "$E2E_SHOTS_OUT" && cp "$E2E_SHOTS"/*.png "$E2E_SHOTS_OUT"/; fi
echo "full-screen play: OK (changed to $code)"
