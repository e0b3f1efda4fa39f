#!/usr/bin/env bash
# A whole game with the keyboard alone, in a window: the arrows move the focus ring, Return clicks
# what it surrounds. On the way the menu and the settings are switched to Русский and Ελληνικά
# with the keys (the docs keep those pictures), a mouse click hides the ring and leaves the screen
# exactly as it was before the first arrow, and in full screen the keypad's Enter answers too.
source "$(dirname "$0")/lib.sh" "$1"
# A few hundred key presses, each waited for on the screen: minutes on a busy machine.
export E2E_GAME_SECONDS=${E2E_GAME_SECONDS:-1700}

start_x 1280x720
read -r panel_w panel_h < <(pack_picture_size menu.png)
menu_top=$(( (720 - panel_h) / 2 ))

window_hash() { import -window "$GAME_WINDOW" -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32; }
root_hash() { import -window root -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32; }
HASH=window_hash

# The screen holds still (no fade running) for a moment.
wait_still() {
  local a b
  a=$($HASH)
  for _ in $(seq 1 100); do
    sleep 0.15
    b=$($HASH)
    [ "$a" = "$b" ] && { LAST=$a; return 0; }
    a=$b
  done
  fail "the screen never held still"
}

# One key as a player presses it, then its answer on the screen before the next: two keys let go
# within one frame would be read in the game's order, not the player's. A frame of a busy machine
# can outlast the press, and a press the game never saw down is lost: it is pressed again, longer.
key() {
  local name=$1
  for hold in 0.15 0.6 1.5; do
    xdotool keydown "$name"
    sleep "$hold"
    xdotool keyup "$name"
    for _ in $(seq 1 60); do
      local now
      now=$($HASH)
      if [ "$now" != "$LAST" ]; then LAST=$now; return 0; fi
      sleep 0.1
    done
  done
  fail "no answer on the screen to $name"
}
keys() { for k in "$@"; do key "$k"; done; }

# Picture of the window now, once it holds still.
shot() { wait_still; window_shot "$E2E_SHOTS/$1.png"; }

# --- Full screen: the keys come through the full-screen window's own event reading.
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 0\nScreenMode = 1280x720\n'
start_game
wait_for_window
wait_for_menu 640 $((menu_top + 600))
HASH=root_hash
wait_still
screenshot_root "$E2E_WORK/fs-menu.png"
key Down                                  # the ring shows on START
screenshot_root "$E2E_WORK/fs-ring.png"
[ "$(region_difference "$E2E_WORK/fs-menu.png" "$E2E_WORK/fs-ring.png" "1280x$((menu_top + 140))+0+0")" -eq 0 ] \
  || fail "full screen: something above START changed"
[ "$(region_difference "$E2E_WORK/fs-menu.png" "$E2E_WORK/fs-ring.png" "1280x100+0+$((menu_top + 140))")" -gt 200 ] \
  || fail "full screen: no ring around START"
keys Up KP_Enter                          # QUIT, then the question with the focus on YES
xdotool keydown KP_Enter; sleep 0.15; xdotool keyup KP_Enter
wait_for_exit 100 || fail "full screen: YES by Enter did not end the game"

# --- A window: the whole game.
HASH=window_hash
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n' >"$E2E_GAME_DIR/Vesperine.prefs"
start_game
wait_for_window
xdotool windowfocus --sync "$GAME_WINDOW"
wait_for_window_menu 640 $((menu_top + 600))
shot menu-before
key Down
shot menu-ring
[ "$(region_difference "$E2E_SHOTS/menu-before.png" "$E2E_SHOTS/menu-ring.png" "1280x100+0+$((menu_top + 140))")" -gt 200 ] \
  || fail "no ring around START"
# A click on the empty panel hides the ring: the picture is again exactly the one before any arrow.
window_click 640 $((menu_top + 610))
shot menu-clicked
[ "$(region_difference "$E2E_SHOTS/menu-before.png" "$E2E_SHOTS/menu-clicked.png" "1280x720+0+0")" -eq 0 ] \
  || fail "the screen after the click differs from the screen before the first arrow"

# The chooser lists Português, Nederlands, English, Magyar, Русский, Ελληνικά, ...: two steps on.
# Every screen starts with the focus on its first item; in the settings the left language arrow.
keys Down Down Down Return Right Return Return Down Down Return   # SETTINGS, twice the right arrow, OK
window_click 640 $((menu_top + 610))
shot menu-russian
keys Down Down Down Return                # SETTINGS again
window_click 640 $((menu_top + 450))      # nothing there: the ring hides for the picture
shot settings-russian
keys Down Right Return Down Down Return   # one step on to Ελληνικά, OK
window_click 640 $((menu_top + 610))
shot menu-greek
keys Down Down Down Return
window_click 640 $((menu_top + 450))
shot settings-greek
for pair in "menu-before menu-russian" "menu-russian menu-greek" "menu-before menu-greek"; do
  set -- $pair
  [ "$(region_difference "$E2E_SHOTS/$1.png" "$E2E_SHOTS/$2.png" "600x400+340+$((menu_top + 140))")" -gt 2000 ] \
    || fail "$2 looks like $1"
done
keys Down Up Return                       # CANCEL, by wrapping upwards

# Credits and the quit question, then START deals.
keys Up Up Return                         # CREDITS
key Return                                # its OK
keys Up Return Right Return               # QUIT, NO
key Return                                # START, with the ring on the top-left card
shot board

# The board is played by one helper process (a busy machine starts programs slowly): it looks at raw
# window pictures and presses keys with xdotool. A card is 110 pixels on a 120-pixel grid from
# (165, 5); it is known by the mean colours of 8 x 8 blocks of its middle 80 x 80 pixels, which the
# ring never reaches, and the same picture at two places differs only by a rounded pixel here and there.
cat >"$E2E_WORK/play.py" <<'PY'
import subprocess, sys, time
window, raw = sys.argv[1], sys.argv[2]

def fail(message):
    print('FAIL: ' + message, file=sys.stderr)
    sys.exit(1)

def shot():
    subprocess.run(['timeout', '60', 'import', '-window', window, '-depth', '8', 'rgb:' + raw], check=True)
    return open(raw, 'rb').read()

# Each key held for a few frames, the next one after a pause; held longer when a busy game missed it.
def press(*names, hold=0.1):
    chain = []
    for name in names:
        chain += ['keydown', name, 'sleep', str(hold), 'keyup', name, 'sleep', '0.1']
    if chain:
        subprocess.run(['xdotool'] + chain, check=True)

def pixel(data, x, y):
    i = 3 * (y * 1280 + x)
    return data[i:i + 3]

def signature(data, card):
    left, top = 180 + 120 * (card % 8), 20 + 120 * (card // 8)
    sig = []
    for by in range(8):
        for bx in range(8):
            total = [0, 0, 0]
            for y in range(top + 10 * by, top + 10 * by + 10, 2):
                for x in range(left + 10 * bx, left + 10 * bx + 10, 2):
                    p = pixel(data, x, y)
                    total[0] += p[0]; total[1] += p[1]; total[2] += p[2]
            sig += [t / 25 for t in total]
    return sig

def alike(a, b):
    return sum(abs(x - y) for x, y in zip(a, b)) / len(a) < 6

# The card the ring surrounds, -1 for none: the ring's outer edge in the text colour lies 3 pixels
# left of the card, its amber on the card's own left edge.
def ring(data):
    near = lambda x, y, rgb: all(abs(pixel(data, x, y)[k] - rgb[k]) < 40 for k in range(3))
    found = [i for i in range(48) if near(162 + 120 * (i % 8), 60 + 120 * (i // 8), (224, 80, 40))
             and near(165 + 120 * (i % 8), 60 + 120 * (i // 8), (241, 172, 71))]
    return found[0] if len(found) == 1 else -1

board = shot()
backs = [signature(board, card) for card in range(48)]
position = 0

# The ring to a card the short way round (the arrows wrap); presses the game never saw are made up
# for by looking where the ring went.
def go_to(target):
    global position
    for attempt in range(12):
        dx, dy = (target % 8 - position % 8) % 8, (target // 8 - position // 8) % 6
        press(*((['Right'] * dx if dx <= 4 else ['Left'] * (8 - dx)) + (['Down'] * dy if dy <= 3 else ['Up'] * (6 - dy))),
              hold=0.1 if attempt == 0 else 0.5)
        previous = None
        for poll in range(20):
            seen = ring(shot())
            if seen == target:
                position = target
                return
            if seen >= 0 and seen == previous:
                break
            previous = seen
            time.sleep(0.2)
        if seen >= 0:
            position = seen
    fail('the ring did not reach card %d' % target)

# Return until the card's face shows; a Return on a turned card does nothing, so pressing again is safe.
def turn(card):
    for hold in (0.15, 0.6, 1.5):
        press('Return', hold=hold)
        for poll in range(15):
            face = signature(shot(), card)
            if not alike(face, backs[card]):
                return face
            time.sleep(0.2)
    fail('card %d did not turn' % card)

# After the second card: False when the pair turned back after its 81 frames, True for a match
# (once its 32-frame fade is over).
def matched(card, face):
    for poll in range(80):
        now = signature(shot(), card)
        if alike(now, backs[card]):
            return False
        if not alike(now, face):
            time.sleep(0.8)
            return True
        time.sleep(0.2)
    fail('the pair with card %d never resolved' % card)

# Keys of the pause, each seen answered on the screen before the next.
def key_answered(name):
    before = shot()
    for hold in (0.15, 0.6, 1.5):
        press(name, hold=hold)
        for poll in range(40):
            if shot() != before:
                time.sleep(0.3)
                return
            time.sleep(0.1)
    fail('no answer to ' + name)

# A perfect memory: a seen pair is taken at once; otherwise the next unseen card, then its partner
# if that was seen, else the next unseen card.
faces, unseen, pairs, paused = {}, list(range(48)), 0, False
while pairs < 24:
    known = [(a, b) for a in faces for b in faces if a < b and alike(faces[a], faces[b])]
    if known:
        first, second = known[0]
        go_to(first); turn(first)
    else:
        first = unseen.pop(0)
        go_to(first); faces[first] = turn(first)
        partners = [c for c in faces if c != first and alike(faces[c], faces[first])]
        second = partners[0] if partners else unseen.pop(0)
    go_to(second)
    face = turn(second)
    faces.setdefault(second, face)
    if matched(first, faces[first]):
        del faces[first], faces[second]
        pairs += 1
    if pairs == 12 and not paused:
        # Half way, a pause: Escape, START asks and NO keeps the game, CONTINUE; the board focus stays.
        paused = True
        for name in ['Escape', 'Return', 'Right', 'Return', 'Down', 'Return']:
            key_answered(name)
print('board cleared', flush=True)
PY
python3 "$E2E_WORK/play.py" "$GAME_WINDOW" "$E2E_WORK/now.rgb" || fail "the board was not cleared with the keys"

shot well-done
[ "$(region_difference "$E2E_SHOTS/board.png" "$E2E_SHOTS/well-done.png" "200x200+540+260")" -gt 20000 ] \
  || fail "no well-done banner"
key Return                                # the banner takes Return as a click
shot menu-after
panel_shows "$E2E_SHOTS/menu-after.png" 640 $((menu_top + 600)) || fail "Return on the banner did not open the menu"
keys Up Return                            # QUIT
xdotool keydown Return; sleep 0.15; xdotool keyup Return   # YES
wait_for_exit 100 || fail "YES by Return did not end the game"
grep -q '^Language = el_GR$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "Ελληνικά not saved"
if [ -n "${E2E_SHOTS_OUT:-}" ]; then
  mkdir -p "$E2E_SHOTS_OUT"
  for picture in menu-russian settings-russian menu-greek settings-greek; do cp "$E2E_SHOTS/$picture.png" "$E2E_SHOTS_OUT"/; done
fi
echo "keyboard game: OK"
