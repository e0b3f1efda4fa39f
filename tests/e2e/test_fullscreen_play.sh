#!/usr/bin/env bash
# Full screen, mouse only: logo and title skipped, a screenshot of the menu, the pointer walked and
# the screen covered, the language and the music changed in the settings, and Escape at the menu
# ending the game with both saved. (Cards turned, the menu on the right button and CONTINUE: the
# automated player's whole game in full screen.)
source "$(dirname "$0")/lib.sh" "$1"
E2E_KIND=0

start_x 1280x720
make_game_dir
now="$E2E_WORK/now.png"
menu_game /LOG
take_screenshot menu
# The pointer walks over the menu, a window covers the screen and goes: the screen then shows exactly
# the whole frame S saves (of the screen's size), pointer included.
for step in $(seq 1 10); do xdotool mousemove $((300 + step * 41)) $((200 + step * 19)) sleep 0.05; done
other_window 500x300+200+150 && kill "$OTHER_PID"
take_screenshot walked
until_true desktop_shows "$E2E_SHOTS/walked.png" || fail "the screen is not the whole frame after a walk and a cover"
expect_music playing "no music in the captured audio"
# Settings: the next language in the chooser (English is not the last one) and the music off. The
# log is buffered, so what changed is read from it after the end.
click_answered 640 $((MENU_TOP + 350))
click_answered $((MENU_LEFT + 579)) $((MENU_TOP + 240))
click_answered $((MENU_LEFT + 279)) $((MENU_TOP + 280))
fullscreen_click $((MENU_LEFT + 110)) $((MENU_TOP + 560))
until_shown screenshot_root "$now" changed_more "$E2E_SHOTS/menu.png" "$now" "500x80+390+$((MENU_TOP + 480))" 1000 \
  || fail "the menu was not rendered again in the new language"
quits_by "Escape at the menu did not end the game" key Escape
prefs=$(cat "$(save_dir)Vesperine.prefs")
code=$(game_log | grep -o 'Load language ([a-z][a-z]_[A-Z][A-Z]):'$'\t\t''OK' | tail -n1 | sed 's/Load language (\(.*\)):.*/\1/')
[ "$code" != en_GB ] || fail "no language change in the log"
grep -q "^Language = $code\$" <<<"$prefs" && grep -q '^Music = 0$' <<<"$prefs" || fail "preferences lack Language = $code, Music = 0: $prefs"
echo "full-screen play: OK (changed to $code)"
