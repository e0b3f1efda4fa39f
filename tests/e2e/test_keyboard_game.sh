#!/usr/bin/env bash
# A whole game with the keys alone in a window: the arrows move the focus ring, Return clicks what it
# surrounds. On the way the menu and settings switch to Русский and Ελληνικά (pictures for the docs),
# a mouse click hides the ring, leaving the screen as before the first arrow; full screen takes KP_Enter.
source "$(dirname "$0")/lib.sh" "$1"
export E2E_GAME_SECONDS=${E2E_GAME_SECONDS:-1700}
start_x 1280x720

# A hash of the screen of E2E_KIND (0 full screen, 1 window), never showing the game's pointer; nothing
# once the game has ended (import waits for ever on a window gone).
hash_now() { kill -0 "$GAME_PID" 2>/dev/null && timeout 30 import -window "$([ "$E2E_KIND" = 0 ] && echo root || echo "$GAME_WINDOW")" -depth 8 rgb:- 2>/dev/null | md5sum; }
# The screen holds still (no fade running): two pictures in a row alike, kept as LAST; changed
# sees it differ from LAST within about ten seconds.
wait_still() {
  local a b=none
  for _ in $(seq 1 100); do a=$b; b=$(hash_now); [ "$a" = "$b" ] && { LAST=$a; return 0; }; sleep 0.15; done
  fail "the screen never held still"
}
changed() { for _ in $(seq 1 60); do [ "$(hash_now)" != "$LAST" ] && return 0; sleep 0.1; done; return 1; }
# Keys as a player presses them, each once the screen holds still and the next after its answer. A
# press a busy game never saw down (its frame longer than the press) is lost: pressed again, longer.
key() {
  for k in "$@"; do
    wait_still
    for hold in 0.15 0.6 1.5; do
      xdotool keydown "$k" sleep "$hold" keyup "$k"
      changed && continue 2
    done
    fail "no answer on the screen to $k"
  done
}
shot() { wait_still; player_look "$E2E_SHOTS/$1.png"; }
# A click at (x, y) where nothing is only hides the ring; then the picture NAME.
click_shot() { wait_still; window_click "$1" "$2"; changed || fail "the click did not hide the ring"; shot "$3"; }
differs() { [ "$(region_difference "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$2.png" "$3")" -gt "$4" ]; }

# --- Full screen: the keys come through the full-screen window's own event reading.
E2E_KIND=0
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 0\nScreenMode = 1280x720\n'
start_game
wait_for_window
player_wait_for_menu
shot fs-menu
key Down                                  # the first press only shows the ring, on START
shot fs-ring
differs fs-menu fs-ring "1280x$((MENU_TOP + 140))+0+0" 0 && fail "full screen: something above START changed"
differs fs-menu fs-ring "1280x100+0+$((MENU_TOP + 140))" 200 || fail "full screen: no ring around START"
key Up KP_Enter KP_Enter                  # QUIT, then YES of the question
wait_for_exit 100 || fail "full screen: YES by Enter did not end the game"

# --- A window: the whole game.
E2E_KIND=1
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n' >"$E2E_GAME_DIR/Vesperine.prefs"
start_game
wait_for_window
xdotool windowfocus --sync "$GAME_WINDOW"
player_wait_for_menu
shot menu-before
key Down
# A click on the empty panel hides the ring: the picture is again exactly the one before any arrow.
click_shot 640 $((MENU_TOP + 610)) menu-clicked
differs menu-before menu-clicked 1280x720+0+0 0 && fail "the screen after the click differs from the one before the first arrow"

# The chooser lists Português, Nederlands, English, Magyar, Русский, Ελληνικά, ...: two steps on.
# Every screen starts with the focus on its first item; in the settings the left language arrow.
key Down Down Down Return Right Return Return Down Down Return   # SETTINGS, twice the right arrow, OK
click_shot 640 $((MENU_TOP + 610)) menu-russian
key Down Down Down Return                 # SETTINGS again
click_shot 640 $((MENU_TOP + 450)) settings-russian
key Down Right Return Down Down Return    # one step on to Ελληνικά, OK
click_shot 640 $((MENU_TOP + 610)) menu-greek
key Down Down Down Return
click_shot 640 $((MENU_TOP + 450)) settings-greek
differs menu-before menu-russian "600x400+340+$((MENU_TOP + 140))" 2000 || fail "the menu is not in Русский"
differs menu-russian menu-greek "600x400+340+$((MENU_TOP + 140))" 2000 || fail "the menu is not in Ελληνικά"
# CANCEL by wrapping upwards; CREDITS and its OK; QUIT and NO; START deals, the ring on card 0.
key Down Up Return Up Up Return Return Up Return Right Return Return
shot board

# The automated player of lib.sh plays the board, its hands on the keys: the ring goes the short
# way round (the arrows wrap) from the card it is on, POS, to the card, and Return turns it.
arrows() { local n=$1; for ((; n > 0; n--)); do echo "$2"; done; for ((; n < 0; n++)); do echo "$3"; done; }
POS=0
click_card() {
  key $(arrows $(( (($1 - POS) % 8 + 12) % 8 - 4 )) Right Left) $(arrows $(( ($1 / 8 - POS / 8 + 9) % 6 - 3 )) Down Up) Return
  POS=$1
}
play_first_round
key Escape Return Right Return Down Return   # a pause: START asks, NO keeps the game, CONTINUE
play_second_round                         # the ring still on card POS, up to the banner
key Return Up Return Return               # the banner takes Return as a click; QUIT, YES
wait_for_exit 100 || fail "YES by Return did not end the game"
grep -q '^Language = el_GR$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "Ελληνικά not saved"
[ -z "${E2E_SHOTS_OUT:-}" ] || { mkdir -p "$E2E_SHOTS_OUT" && for picture in menu-russian settings-russian menu-greek settings-greek; do
  cp "$E2E_SHOTS/$picture.png" "$E2E_SHOTS_OUT"/; done; }
echo "keyboard game: OK"
