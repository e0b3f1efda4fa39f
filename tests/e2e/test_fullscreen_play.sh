#!/usr/bin/env bash
# Full screen, mouse only: logo and title skipped, a screenshot of the menu, the pointer walked and
# the screen covered, a game started and cards turned, the menu opened with the right button and the game continued, the language and the
# music changed in the settings, and Escape at the menu ending the game with both saved.
source "$(dirname "$0")/lib.sh" "$1"
E2E_KIND=0

start_x 1280x720
make_game_dir
start_game /LOG
wait_for_window
now="$E2E_WORK/now.png"
player_wait_for_menu
take_screenshot menu
[ "$(identify -format '%w %h' "$E2E_SHOTS/menu.png")" = "1280 720" ] || fail "screenshot size"
[ "$(convert "$E2E_SHOTS/menu.png" -crop "400x200+440+$((MENU_TOP + 150))" +repage -unique-colors -format %w info:)" -gt 20 ] \
  || fail "menu entries look empty"
# The pointer walks over the menu, a window covers the screen and goes: the screen then shows exactly
# the whole frame S saves, pointer included.
for step in $(seq 1 10); do xdotool mousemove $((300 + step * 41)) $((200 + step * 19)) sleep 0.05; done
xmessage -geometry 500x300+200+150 "covering the game" & cover=$!
xdotool search --sync --onlyvisible --name xmessage >/dev/null
kill $cover
take_screenshot walked
until_true desktop_shows "$E2E_SHOTS/walked.png" || fail "the screen is not the whole frame after a walk and a cover"
# START: the board of card backs.
click_until "$now" board 640 $((MENU_TOP + 190))
take_screenshot board
# Two cards of the top row: their faces show.
click_answered 220 60
click_answered 340 60
until_shown screenshot_root "$now" changed_more "$E2E_SHOTS/board.png" "$now" "100x100+170+10" 2000 \
  || fail "the first card did not turn"
cp "$now" "$E2E_WORK/face-up.png"
take_screenshot turned
# Once the pair is resolved, the right button opens the menu over the board; CONTINUE returns to it.
until_shown screenshot_root "$now" changed_more "$E2E_WORK/face-up.png" "$now" "100x100+170+10" 2000 \
  || fail "the turned pair stayed up"
click_until "$now" menu 640 400 3
take_screenshot paused
click_until "$now" board 640 $((MENU_TOP + 270))
[ "$(audio_level)" -gt 200 ] || fail "no music in the captured audio"
# Settings: the next language in the chooser (English is not the last one) and the music off. The
# log is buffered, so what changed is read from it after the end.
click_until "$now" menu 640 400 3
click_answered 640 $((MENU_TOP + 350))
take_screenshot settings
click_answered $((MENU_LEFT + 579)) $((MENU_TOP + 240))
click_answered $((MENU_LEFT + 279)) $((MENU_TOP + 280))
take_screenshot settings-changed
fullscreen_click $((MENU_LEFT + 110)) $((MENU_TOP + 560))
until_shown screenshot_root "$now" changed_more "$E2E_SHOTS/menu.png" "$now" "500x80+390+$((MENU_TOP + 480))" 1000 \
  || fail "the menu was not rendered again in the new language"
take_screenshot menu-translated
key Escape  # at the menu: the game ends
wait_for_exit 100
prefs=$(cat "$(save_dir)Vesperine.prefs")
code=$(game_log | grep -o 'Load language ([a-z][a-z]_[A-Z][A-Z]):'$'\t\t''OK' | tail -n1 | sed 's/Load language (\(.*\)):.*/\1/')
[ "$code" != en_GB ] || fail "no language change in the log"
grep -q "^Language = $code\$" <<<"$prefs" && grep -q '^Music = 0$' <<<"$prefs" || fail "preferences lack Language = $code, Music = 0: $prefs"
game_log | grep -q $'^Opening screen (Fullscreen):\t\tOK$' || fail "log lacks the screen line"
keep_shots "$E2E_SHOTS"/*.png
echo "full-screen play: OK (changed to $code)"
