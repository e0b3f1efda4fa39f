#!/usr/bin/env bash
# The sound effects heard on the real game in a window, its audio written by SDL's disk device at the
# device's pace, with the music switched off: silence until the first card is clicked (the menu's
# clicks sound nothing); every card turned sounds within half a second of its click; a found pair
# and a wrong pair each sound their own (the found pair's chime with more of its energy in high
# partials, the wrong pair lower in pitch); the well-done phrase rings on as the automated player
# clears the board, and the log holds none of the effects' lines. Then SOUNDS switched off in the
# settings and OK: a card turned is silent, and "Sounds = 0" is saved after the six lines of the
# first version. Last, a data pack of the pictures and the music only: the game starts, plays and
# quits with status 0, a line in its log for each effect.
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n'
E2E_KIND=1
E2E_GAME_SECONDS=1500
second=176400  # bytes of a second of audio

heard() { python3 "$(dirname "$0")/../../scripts/autoplay/ears.py" "$E2E_AUDIO" "$@"; }
# The audio written up to byte N (the device writes at its own pace, whatever the machine's load).
audio_reaches() {
  for _ in $(seq 1 600); do [ "$(audio_bytes)" -ge "$1" ] && return 0; sleep 0.05; done
  fail "the audio stopped at $(audio_bytes) bytes"
}
# The last tenth of a second written was silent, for five seconds at most: every click is heard
# from silence.
wait_quiet() {
  local at
  for _ in $(seq 1 100); do
    at=$(audio_bytes)
    [ "$at" -gt $((second / 10)) ] && [ "$(heard level $((at - second / 10)) 0.1)" -lt 30 ] && return 0
    sleep 0.05
  done
}
# Every card the player turns is clicked in silence on a still screen (no fade running); where the
# audio stood just before the click and once it was sent is kept in CLICKS ("BEFORE,AFTER"); each
# turn resolved is kept in TURNS as its two clicks and how it ended (back or gone), for the
# listening after the game.
eval "player_$(declare -f click_card)"
eval "player_$(declare -f resolve_turn)"
CLICKS=() TURNS=()
click_card() {
  local before
  wait_quiet; wait_still; before=$(audio_bytes)
  player_click_card "$@"
  CLICKS+=("$before,$(audio_bytes)")
}
resolve_turn() { player_resolve_turn "$@"; TURNS+=("${CLICKS[0]} ${CLICKS[1]} $RESOLVED"); CLICKS=(); }

open_game /LOG
player_wait_for_menu
click_until "$E2E_SHOTS/board.png" board 640 $((MENU_TOP + 190))  # START
audio_reaches $(( $(audio_bytes) + second / 2 ))
[ "$(heard level 0 1000)" -lt 30 ] || fail "sound before the first card was clicked"

# The whole game, every turn heard.
play_first_round
play_second_round
printf '%s\n' "${TURNS[@]}" >"$E2E_WORK/turns"  # for a look at a failed run's audio
read -r _ last_card _ <<<"${TURNS[-1]}"
audio_reaches $(( ${last_card#*,} + 8 * second ))

# Listening: each card within half a second of its click (sent), the silence before it telling its
# sound from any other; a found pair's chime with its second card; a wrong pair's sound as it turns
# back, 81 frames later (timers count frames: on a loaded machine later than 1.35 s), after the
# second card's sound and before the next turn. `at SECONDS` is that many seconds of audio in bytes.
at() { awk -v s="$1" -v b=$second 'BEGIN { printf "%d", int(s * b / 4) * 4 }'; }
seconds() { awk -v n="$1" -v b=$second 'BEGIN { print n / b }'; }
# Where the sound of the click BEFORE,AFTER starts: within half a second of AFTER.
card_sound() {
  local onset
  onset=$(heard onset "${1%,*}" "$(seconds $(( ${1#*,} - ${1%,*} + second / 2 )))")
  [ "$onset" != none ] || fail "a card turned without a sound within half a second (audio byte ${1#*,})"
  echo $(( ${1%,*} + onset ))
}
found_tones=() wrong_tones=()
for ((t = 0; t < ${#TURNS[@]}; t++)); do
  read -r first other resolved <<<"${TURNS[t]}"
  next=$(( ${other#*,} + 6 * second ))
  [ $((t + 1)) -eq ${#TURNS[@]} ] || next=${TURNS[t + 1]%%,*}
  card_sound "$first" >/dev/null
  card=$(card_sound "$other") || exit 1
  if [ "$resolved" = back ]; then
    onset=$(heard onset $((card + $(at 0.3))) "$(seconds $((next - card - $(at 0.3))))")
    [ "$onset" != none ] || fail "a wrong pair turned back without its sound (audio byte $other)"
    wrong_tones+=("$(heard tone $((card + $(at 0.3) + onset)) 0.45)")
  else
    found_tones+=("$(heard tone "$card" 0.9)")
  fi
done
echo "found pairs (pitch in Hz, share above 1.5 kHz in %): ${found_tones[*]}"
echo "wrong pairs: ${wrong_tones[*]}"
[ "${#found_tones[@]}" -eq 24 ] && [ "${#wrong_tones[@]}" -gt 0 ] || fail "${#found_tones[@]} pairs found, ${#wrong_tones[@]} wrong"
for found in "${found_tones[@]}"; do
  for wrong in "${wrong_tones[@]}"; do
    read -r found_hz found_high <<<"$found"
    read -r wrong_hz wrong_high <<<"$wrong"
    [ $((2 * found_hz)) -gt $((3 * wrong_hz)) ] && [ "$found_high" -gt $((wrong_high + 5)) ] \
      || fail "a found pair ($found) not told from a wrong pair ($wrong)"
  done
done
# The well-done phrase rings on after the last pair's chime (0.9 s from the second card on), as
# the banner comes up.
card=$(card_sound "$last_card") || exit 1
onset=$(heard onset $((card + $(at 0.95))) 4)
[ "$onset" != none ] || fail "no well-done phrase after the last pair"
level=$(heard level $((card + $(at 0.95) + onset)) 1.5)
[ "$level" -gt 200 ] || fail "the well-done phrase too quiet (level $level)"
game_log | grep -q "PLAYING WITHOUT IT" && fail "an effect missing from the complete pack"

# SOUNDS off in the settings, OK: a card of the next deal turns silently. The menu's clicks are
# silent too.
click_until "$E2E_WORK/menu.png" menu 100 700
mark=$(audio_bytes)
click_answered 640 $((MENU_TOP + 350))                    # SETTINGS
click_answered $((MENU_LEFT + 279)) $((MENU_TOP + 320))   # SOUNDS
click_answered $((MENU_LEFT + 110)) $((MENU_TOP + 560))   # OK
click_until "$E2E_WORK/deal2.png" board 640 $((MENU_TOP + 190))
mark_card=$(audio_bytes)
click_answered $(( $(card_x 0) + 85 )) $(( $(card_y 0) + 85 ))
audio_reaches $((mark_card + second))
level=$(heard level "$mark" $(( (mark_card - mark) / second + 1 )))
[ "$level" -lt 30 ] || fail "the settings' clicks or a card turned with SOUNDS off were heard (level $level)"
press Escape
look_for "$E2E_WORK/menu-again.png" menu 50 || fail "Escape did not open the menu"
press Escape
wait_for_exit 100 || fail "the game did not end cleanly"
printf '\xef\xbb\xbf\n; Vesperine 1.0 Preferences\n[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\nSounds = 0\n' |
  cmp -s - "${E2E_GAME_DIR}Vesperine.prefs" || fail "preferences: $(cat "${E2E_GAME_DIR}Vesperine.prefs")"

# A data pack of the pictures and the music only: the game starts, turns a card, quits with 0.
pack_tool="$E2E_BUILD/vesperine-pack"
mkdir -p "$E2E_WORK/entries"
args=()
while IFS= read -r name; do
  [[ "$name" == *.ogg && "$name" != music.ogg ]] && continue
  "$pack_tool" extract "$E2E_BUILD/VesperineData.pack" "$name" "$E2E_WORK/entries/$name" >/dev/null || fail "extract $name"
  args+=("$name=$E2E_WORK/entries/$name")
done < <("$pack_tool" list "$E2E_BUILD/VesperineData.pack" | cut -f1)
[ "${#args[@]}" -eq 70 ] || fail "${#args[@]} entries besides the effects"
"$pack_tool" create --level fast "$E2E_WORK/silent.pack" "${args[@]}" >/dev/null || fail "no pack without the effects"
ln -sfn "$E2E_WORK/silent.pack" "$E2E_GAME_DIR/VesperineData.pack"
rm -f "$E2E_GAME_DIR"Log*.log
open_game /LOG
player_wait_for_menu
click_until "$E2E_WORK/board-silent.png" board 640 $((MENU_TOP + 190))
click_answered $(( $(card_x 0) + 85 )) $(( $(card_y 0) + 85 ))
press Escape
look_for "$E2E_WORK/menu-silent.png" menu 50 || fail "Escape did not open the menu"
quits_by "the game without its effects did not quit with status 0" press Escape
[ "$(game_log | grep -c $'^Load asset (.*\.ogg):\t\tMISSING, PLAYING WITHOUT IT$')" -eq 5 ] || fail "not a line for each effect: $(game_log)"
echo "sound effects: heard as they should be"
