#!/usr/bin/env bash
# A whole game in a window, played as a player with a perfect memory would: every card seen once,
# then every pair taken, up to the well-done banner; on the way, every screen of the game is
# captured (the docs keep these pictures) and the questions, the credits and the settings answer.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
read -r panel_w panel_h < <(pack_picture_size menu.png)
menu_left=$(( (1280 - panel_w) / 2 ))
menu_top=$(( (720 - panel_h) / 2 ))
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 1\nGameScreen = 1\nScreenMode = 1280x720\n'
start_game
wait_for_window
xdotool windowfocus --sync "$GAME_WINDOW"

# The logo and the title, each caught once it is drawn.
capture_until_changed() {
  local name=$1 previous=${2:-}
  for _ in $(seq 1 100); do
    window_shot "$E2E_SHOTS/$name.png"
    IFS=, read -r r g b <<<"$(pixel "$E2E_SHOTS/$name.png" 640 200)"
    if [ $((r + g + b)) -gt 0 ] && { [ -z "$previous" ] || [ "$(region_difference "$E2E_SHOTS/$previous.png" "$E2E_SHOTS/$name.png" "1280x720+0+0")" -gt 100000 ]; }; then
      return 0
    fi
    sleep 0.1
  done
  fail "no $name picture"
}
capture_until_changed logo
capture_until_changed title logo
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

card_x() { echo $((165 + 120 * ($1 % 8) + 15)); }
card_y() { echo $((5 + 120 * ($1 / 8) + 15)); }
# The middle of card i of a window picture, into a file of its own.
crop_card() { convert "$1" -crop "80x80+$(card_x "$2")+$(card_y "$2")" +repage "$3"; }
# Two crops show the same picture: the sprite scaling may round a pixel or two differently by row.
same_picture() { [ "$(compare -metric AE -fuzz 8% "$1" "$2" null: 2>&1 | cut -d' ' -f1)" -lt 40 ]; }
click_pair() {
  window_click $(( $(card_x "$1") + 40 )) $(( $(card_y "$1") + 40 ))
  window_click $(( $(card_x "$2") + 40 )) $(( $(card_y "$2") + 40 ))
}
cards="$E2E_WORK/cards"
mkdir -p "$cards"
for i in $(seq 0 47); do crop_card "$E2E_SHOTS/board.png" "$i" "$cards/back-$i.png"; done

# First round: every card seen once, two at a time. A wrong pair shows its backs again after 81
# frames; a matching pair fades out in 32 and leaves the background.
unmatched=()
for ((i = 0; i < 48; i += 2)); do
  click_pair "$i" $((i + 1))
  window_shot "$E2E_WORK/pair.png"
  crop_card "$E2E_WORK/pair.png" "$i" "$cards/face-$i.png"
  crop_card "$E2E_WORK/pair.png" $((i + 1)) "$cards/face-$((i + 1)).png"
  ! same_picture "$cards/face-$i.png" "$cards/back-$i.png" || fail "card $i did not turn"
  ! same_picture "$cards/face-$((i + 1)).png" "$cards/back-$((i + 1)).png" || fail "card $((i + 1)) did not turn"
  [ "$i" -eq 0 ] && cp "$E2E_WORK/pair.png" "$E2E_SHOTS/turned.png"
  sleep 1.1
  for _ in $(seq 1 20); do
    window_shot "$E2E_WORK/later.png"
    crop_card "$E2E_WORK/later.png" "$i" "$cards/later.png"
    same_picture "$cards/later.png" "$cards/face-$i.png" || break
    sleep 0.2
  done
  if same_picture "$cards/later.png" "$cards/back-$i.png"; then unmatched+=("$i" $((i + 1))); fi
done

# Pause on the way: the menu over the running game, a new-game question answered NO.
window_click 640 400 3
window_shot "$E2E_SHOTS/paused.png"
window_click 640 $((menu_top + 190))
window_shot "$E2E_SHOTS/ask-new-game.png"
window_click "$no_x" $((menu_top + 320))
window_click 640 $((menu_top + 270))    # CONTINUE

# Second round: every remembered pair.
while [ "${#unmatched[@]}" -gt 0 ]; do
  first=${unmatched[0]}
  partner=""
  for j in "${unmatched[@]:1}"; do
    if same_picture "$cards/face-$first.png" "$cards/face-$j.png"; then partner=$j; break; fi
  done
  [ -n "$partner" ] || fail "no partner remembered for card $first"
  click_pair "$first" "$partner"
  rest=()
  for k in "${unmatched[@]}"; do [ "$k" = "$first" ] || [ "$k" = "$partner" ] || rest+=("$k"); done
  unmatched=("${rest[@]}")
  sleep 0.4
done

sleep 1
window_shot "$E2E_SHOTS/well-done.png"
[ "$(region_difference "$E2E_SHOTS/board.png" "$E2E_SHOTS/well-done.png" "200x200+540+260")" -gt 20000 ] \
  || fail "no well-done banner"
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
