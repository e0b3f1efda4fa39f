# The automated player and its hands: a private X server, a game directory of its own, the real
# game started in it, xdotool's clicks and keys, and pictures of the screen to recognise the cards
# by. The demo of the run command plays with it, and the end-to-end tests build on it.
#   source scripts/autoplay/player.sh BUILD_DIR
set -u

E2E_BUILD=$(cd "${1:?build directory}" && pwd)
E2E_WORK=$(mktemp -d /tmp/vesperine-e2e-XXXXXX)
E2E_GAME_DIR="$E2E_WORK/game/"
E2E_HOME="$E2E_WORK/home"
E2E_AUDIO="$E2E_WORK/audio.raw"
E2E_SHOTS=${E2E_SHOTS:-$E2E_WORK/shots}
mkdir -p "$E2E_GAME_DIR" "$E2E_HOME" "$E2E_SHOTS"
E2E_PIDS=()
GAME_PID=""
NESTED_CLIENT=()  # the command prefix of a game on a nested desktop (x_server.sh's start_compositor)
NESTED_USER=""    # the user that game runs as, when not us

e2e_cleanup() {
  local status=$?
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill "$GAME_PID" 2>/dev/null; fi
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  if [ "$status" -ne 0 ]; then
    # The pictures of a failed run stay for a look (CI keeps the machine until the session ends).
    local kept=/tmp/vesperine-e2e-failed-$(basename "$0" .sh)
    rm -rf "$kept" && cp -r "$E2E_SHOTS" "$kept" 2>/dev/null && echo "pictures of the failed run: $kept" >&2
    echo "--- test failed; game log and output:" >&2
    cat "$E2E_GAME_DIR"/Log*.log "$E2E_HOME"/.Quenmarsh/Vesperine/Log*.log 2>/dev/null | tail -40 >&2
    tail -20 "$E2E_WORK/game.out" 2>/dev/null >&2
    if [ -n "${E2E_KEEP_FAILED:-}" ]; then echo "kept $E2E_WORK" >&2; return; fi
  fi
  rm -rf "$E2E_WORK"
}
trap e2e_cleanup EXIT

# Fails loudly, keeping what the screen showed last as last-screen.png among the pictures.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ] && import -window root "png:$E2E_SHOTS/last-screen.png" 2>/dev/null; then
    echo "last screen: $E2E_SHOTS/last-screen.png" >&2
  fi
  exit 1
}

# Xvfb of the given size on a free display; with "wm", openbox runs on it too (x_server.sh).
source "$(dirname "${BASH_SOURCE[0]}")/x_server.sh"
start_x() {
  start_x_server "$E2E_WORK" xvfb "${1:-1280x720}" || fail "Xvfb did not start"
  if [ "${2:-}" = wm ]; then start_window_manager || fail "openbox did not start"; fi
  E2E_PIDS+=("${X_SERVER_PIDS[@]}")
}

# The game directory: a copy of the executable (its own directory is the game directory) and the
# two packs; optional preferences text.
make_game_dir() {
  cp "$E2E_BUILD/vesperine" "$E2E_GAME_DIR"
  ln -s "$E2E_BUILD/VesperineData.pack" "$E2E_GAME_DIR/VesperineData.pack"
  ln -s "$E2E_BUILD/VesperineLanguages.pack" "$E2E_GAME_DIR/VesperineLanguages.pack"
  if [ $# -gt 0 ]; then printf '%s' "$1" >"$E2E_GAME_DIR/Vesperine.prefs"; fi
}
# The game directory's preferences are exactly what the game writes at exit for LANGUAGE MUSIC
# KIND MODE. Its byte-order mark and header line come from a real save only: the tests write none.
saved_prefs_are() {
  printf '\xef\xbb\xbf\n; Vesperine 1.0 Preferences\n[Settings]\nLanguage = %s\nMusic = %s\nGameScreen = %s\nScreenMode = %s\n' \
    "$@" | cmp -s - "${E2E_GAME_DIR}Vesperine.prefs"
}

# A game run as another user (sway's nobody) may not enter our directories, the build tree among
# them: the game directory gets copies of the packs its links lead to, and the game's directories
# and music file become that user's. Nothing of ours is opened to others.
hand_game_to() {
  local pack
  for pack in "$E2E_GAME_DIR"*.pack; do
    [ -L "$pack" ] && cp --remove-destination "$(readlink -f "$pack")" "$pack"
  done
  touch "$E2E_AUDIO"
  chown -R "$1" "$E2E_GAME_DIR" "$E2E_HOME" "$E2E_AUDIO"
}

# Starts the game (E2E_GAME, by default the one of the game directory) with the given parameters
# from a directory of its own, its music going to a raw file; it is stopped after E2E_GAME_SECONDS.
start_game() {
  [ -z "$NESTED_USER" ] || hand_game_to "$NESTED_USER"
  (cd "$E2E_WORK" && HOME="$E2E_HOME" LANG=en_GB.UTF-8 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$E2E_AUDIO" \
     exec "${NESTED_CLIENT[@]}" timeout "${E2E_GAME_SECONDS:-540}" "${E2E_GAME:-${E2E_GAME_DIR}vesperine}" "$@" >"$E2E_WORK/game.out" 2>&1) &
  GAME_PID=$!
}

# Waits for the game's visible window (full screen or window kinds alike carry the title), or for
# its window of the title pattern given; on a nested desktop, through its Xwayland.
wait_for_window() {
  for _ in $(seq 1 300); do
    GAME_WINDOW=$("${NESTED_CLIENT[@]}" xdotool search --onlyvisible --name "${1:-^Vesperine 1}" 2>/dev/null | tail -n1)
    [ -n "$GAME_WINDOW" ] && return 0
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before showing a window"
    sleep 0.1
  done
  fail "no game window"
}

wait_for_exit() {
  for _ in $(seq 1 ${1:-100}); do
    kill -0 "$GAME_PID" 2>/dev/null || { wait "$GAME_PID"; return $?; }
    sleep 0.1
  done
  fail "the game did not end"
}

# A key held for a few frames, as a player presses it (longer than a slow frame of a loaded machine).
press() {
  xdotool keydown "$1"
  sleep 0.4
  xdotool keyup "$1"
  sleep 0.12
}

# The player's eyes (tools/look): one read of the screen or window SOURCE, kept as a PPM, with crops
# "X Y W H FILE" of it; PPM pictures are compared by it too, other pictures by ImageMagick.
LOOK="$E2E_BUILD/vesperine-look"
grab() { "$LOOK" shot "$@" || fail "no picture of the screen"; }
is_ppm() { [[ "$1" == *.ppm ]]; }
# A picture as PNG: straight from the screen, or converted from a PPM already taken.
grab_png() { grab "$1" "$E2E_WORK/grab.ppm" && convert "$E2E_WORK/grab.ppm" "png:$2"; }
screenshot_root() { if is_ppm "$1"; then grab root "$1"; else grab_png root "$1"; fi; }

# Colour of one pixel of a picture as "r,g,b".
pixel() {
  if is_ppm "$1"; then "$LOOK" pixel "$1" "$2" "$3"; return; fi
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Full screen reads relative pointer motion once a frame and warps the pointer back to the screen's
# centre (FULLSCREEN_CENTRE, of a 1280x720 screen unless set), so the game's pointer is steered in
# steps. Seeing the pointer back at the centre means the game has taken every step so far; waiting
# for that after each step keeps a slow frame from letting steps pile up against a screen edge,
# where X drops them. Where the game's pointer is, when known, is FULLSCREEN_AT ("x y"): after a
# walk to the top-left corner, or once the player has seen it drawn; otherwise a walk starts with
# the way to the corner.
fullscreen_step() {
  xdotool mousemove_relative -- "$1" "$2"
  for _ in $(seq 1 250); do
    [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "${FULLSCREEN_CENTRE:-x:640 y:360}" ] && return 0
    sleep 0.02
  done
}
fullscreen_to_corner() {
  for _ in 1 2 3 4 5 6 7 8; do fullscreen_step -200 -200; done
  FULLSCREEN_AT="0 0"
}
fullscreen_mouse_to() {
  [ -n "${FULLSCREEN_AT:-}" ] || fullscreen_to_corner
  local from_x from_y
  read -r from_x from_y <<<"$FULLSCREEN_AT"
  local x=$(($1 - from_x)) y=$(($2 - from_y)) sx sy
  FULLSCREEN_AT=""
  while [ "$x" -ne 0 ] || [ "$y" -ne 0 ]; do
    sx=$(( x > 90 ? 90 : (x < -90 ? -90 : x) )) sy=$(( y > 90 ? 90 : (y < -90 ? -90 : y) ))
    fullscreen_step "$sx" "$sy"
    x=$((x - sx)); y=$((y - sy))
  done
}

# A click held for a few frames but released before the game's 100 ms wait ends: one xdotool, as a
# second one started late on a loaded machine would hold it longer. Wait for its answer after it.
click_button() { xdotool mousedown "${1:-1}" sleep 0.05 mouseup "${1:-1}"; }

fullscreen_click() {
  fullscreen_mouse_to "$1" "$2"
  click_button "${3:-1}"
}

# Size of a picture in the data pack, "w h".
pack_picture_size() {
  "$E2E_BUILD/vesperine-pack" extract "$E2E_BUILD/VesperineData.pack" "$1" "$E2E_WORK/picture.png" >/dev/null
  identify -format "%w %h" "$E2E_WORK/picture.png"
}

# Pixels that differ between the same region of two pictures.
region_difference() {
  if is_ppm "$1" && is_ppm "$2"; then "$LOOK" diff "$1" "$2" "$3"; return; fi
  convert "$1" -crop "$3" +repage "$E2E_WORK/a.png"
  convert "$2" -crop "$3" +repage "$E2E_WORK/b.png"
  compare -metric AE "$E2E_WORK/a.png" "$E2E_WORK/b.png" null: 2>&1 | cut -d' ' -f1
}

# The pixel at (x, y) of a PNG is within 3 of the colour "r,g,b" in every channel.
pixel_near() {
  local r g b er eg eb d
  IFS=, read -r r g b <<<"$(pixel "$1" "$2" "$3")"
  IFS=, read -r er eg eb <<<"$4"
  for d in $((r - er)) $((g - eg)) $((b - eb)); do [ "$d" -ge -3 ] && [ "$d" -le 3 ] || return 1; done
}

# The panel of a dialog is showing: its empty amber area (the colour of the text pictures) at (x, y).
panel_shows() { pixel_near "$1" "$2" "$3" 241,172,71; }

# Skips the logo and the title with Space until the menu panel shows at (x, y).
wait_for_menu() {
  local x=$1 y=$2
  for _ in $(seq 1 60); do
    grab root "$E2E_WORK/now.ppm"
    if panel_shows "$E2E_WORK/now.ppm" "$x" "$y"; then return 0; fi
    press space
    sleep 0.3
  done
  fail "the menu did not show"
}

# The window kinds: clicks go to the window at window-relative positions, screenshots of the window.
window_click() { xdotool mousemove --window "$GAME_WINDOW" "$1" "$2" sleep 0.05 click "${3:-1}"; }
window_shot() { if is_ppm "$1"; then grab "$GAME_WINDOW" "$1"; else grab_png "$GAME_WINDOW" "$1"; fi; }

wait_for_window_menu() {
  local x=$1 y=$2
  for _ in $(seq 1 60); do
    window_shot "$E2E_WORK/now.ppm"
    if panel_shows "$E2E_WORK/now.ppm" "$x" "$y"; then return 0; fi
    xdotool windowactivate --sync "$GAME_WINDOW" 2>/dev/null || true
    press space
    sleep 0.3
  done
  fail "the menu did not show"
}

# ---- The automated player, on a 1280 x 720 game screen in any screen kind (E2E_KIND 0 full screen,
# 1 window, 2 borderless): it plays as a player with a perfect memory, recognising the cards from
# pictures of the screen. Its hands (E2E_HANDS) are the mouse, or the keys alone ("keys"): the
# arrows move the focus ring and Return clicks what it surrounds. The menu panel and the board are
# placed by the screen's size.
E2E_KIND=${E2E_KIND:-1}
E2E_HANDS=${E2E_HANDS:-mouse}
read -r MENU_W MENU_H < <(pack_picture_size menu.png)
MENU_LEFT=$(( (1280 - MENU_W) / 2 ))
MENU_TOP=$(( (720 - MENU_H) / 2 ))

# A click at (x, y) of the game screen (click_seen); full screen then parks its pointer in the
# top-left corner, off the board, so that pictures of the cards do not show it.
player_click() {
  click_seen "$@" || return 1
  [ "$E2E_KIND" != 0 ] || fullscreen_to_corner
}
# Full screen: walks the pointer to (x, y) until the game draws it there (the cream inside of its
# arrow at (x + 4, y + 10)); a step lost on a busy machine leaves it elsewhere, and it walks again
# by way of the corner.
fullscreen_point_at() {
  local r g b
  for _ in 1 2 3 4; do
    fullscreen_mouse_to "$1" "$2"
    for _ in 1 2 3 4 5 6; do
      grab root - $(($1 + 4)) $(($2 + 10)) 1 1 "$E2E_WORK/pointer.ppm"
      IFS=, read -r r g b <<<"$(pixel "$E2E_WORK/pointer.ppm" 0 0)"
      [ "$r" -ge 240 ] && [ "$g" -ge 205 ] && [ "$b" -ge 160 ] && { FULLSCREEN_AT="$1 $2"; return 0; }
      sleep 0.1
    done
  done
  fail "the pointer did not reach ($1, $2)"
}
player_source() { if [ "$E2E_KIND" = 0 ]; then echo root; else echo "$GAME_WINDOW"; fi; }
# A look at the game screen: FILE.ppm as it is, any other name as PNG; crops as grab's.
player_look() {
  if is_ppm "$1"; then grab "$(player_source)" "$@"; else grab_png "$(player_source)" "$1"; fi
}
player_wait_for_menu() {
  if [ "$E2E_KIND" = 0 ]; then wait_for_menu 640 $((MENU_TOP + 600)); else wait_for_window_menu 640 $((MENU_TOP + 600)); fi
}
menu_shows() { panel_shows "$1" 640 $((MENU_TOP + 600)); }

# Keeps NAME.png once the logo or the title is drawn: something lit at (640, 200) and, after
# PREVIOUS, most of the screen changed.
capture_intro() {
  local name=$1 previous=${2:-} r g b
  for _ in $(seq 1 200); do
    player_look "$E2E_WORK/$name.ppm"
    IFS=, read -r r g b <<<"$(pixel "$E2E_WORK/$name.ppm" 640 200)"
    if [ $((r + g + b)) -gt 0 ] && { [ -z "$previous" ] || [ "$(region_difference "$E2E_WORK/$previous.ppm" "$E2E_WORK/$name.ppm" "1280x720+0+0")" -gt 100000 ]; }; then
      convert "$E2E_WORK/$name.ppm" "png:$E2E_SHOTS/$name.png"
      return 0
    fi
    sleep 0.05
  done
  fail "no $name picture"
}

# Looks until the menu panel has gone (WANT "board") or shows (WANT "menu"), keeping the picture as
# FILE (PNG), and the same as $E2E_WORK/seen.ppm and as $E2E_WORK/NAME.ppm (NAME: FILE's name without
# .png), a copy no other run writes. True once seen in LOOKS looks (30 unless told), a
# tenth of a second apart.
look_for() {
  local file=$1 want=$2 looks=${3:-30} seen
  for _ in $(seq 1 "$looks"); do
    player_look "$E2E_WORK/seen.ppm"
    seen=board
    menu_shows "$E2E_WORK/seen.ppm" && seen=menu
    if [ "$seen" = "$want" ]; then
      cp "$E2E_WORK/seen.ppm" "$E2E_WORK/$(basename "$file" .png).ppm"
      convert "$E2E_WORK/seen.ppm" "png:$file"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
# Clicks at (x, y) with the button (left when not given) until look_for sees WANT. A busy game may
# miss the click: it is repeated after a while (the places clicked do nothing on the screen reached).
click_until() {
  local file=$1 want=$2
  shift 2
  for _ in 1 2 3; do
    player_click "$@"
    look_for "$file" "$want" && return 0
  done
  fail "$(basename "$file" .png): the $want did not show"
}

# ---- Keys and clicks, each given once the screen holds still and the next after its answer.
# A checksum of the game screen; nothing once the game has ended.
hash_now() { kill -0 "$GAME_PID" 2>/dev/null && "$LOOK" hash "$(player_source)" 2>/dev/null; }
# The screen holds still (no fade running): two looks in a row alike, kept as LAST; changed sees
# it differ from LAST within about ten seconds, and keeps what it saw as NOW.
wait_still() {
  local a b=none
  for _ in $(seq 1 200); do a=$b; b=$(hash_now); [ "$a" = "$b" ] && { LAST=$a; return 0; }; sleep 0.1; done
  fail "the screen never held still"
}
changed() { for _ in $(seq 1 200); do NOW=$(hash_now); [ "$NOW" != "$LAST" ] && return 0; sleep 0.05; done; return 1; }
# A click at (x, y) once the screen holds still, true when the screen answers. The game reads the
# pointer when it handles a click: moved on before, it would send the click elsewhere. Full screen
# first walks its pointer there.
click_seen() {
  [ "$E2E_KIND" != 0 ] || fullscreen_point_at "$1" "$2"
  wait_still
  if [ "$E2E_KIND" = 0 ]; then click_button "${3:-1}"; else window_click "$@"; fi
  changed
}
click_answered() { click_seen "$@" || fail "no answer on the screen to a click at $1,$2"; }
# A press a busy game never saw down (its frame longer than the press) is lost: pressed again, longer.
# An arrow only moves the ring, at once: after one, the screen it showed is still, and the next
# arrow needs no wait.
key() {
  local k moved=""
  for k in "$@"; do
    if [ -n "$moved" ] && [[ "$k" =~ ^(Up|Down|Left|Right)$ ]]; then LAST=$NOW; else wait_still; fi
    moved=""
    [[ "$k" =~ ^(Up|Down|Left|Right)$ ]] && moved=1
    for hold in 0.15 0.6 1.5; do
      xdotool keydown "$k" sleep "$hold" keyup "$k"
      changed && continue 2
    done
    fail "no answer on the screen to $k"
  done
}
# N times the key UP (N > 0) or DOWN (N < 0), one a line.
arrows() { local n=$1; for ((; n > 0; n--)); do echo "$2"; done; for ((; n < 0; n++)); do echo "$3"; done; }

card_x() { echo $((165 + 120 * ($1 % 8) + 15)); }
card_y() { echo $((5 + 120 * ($1 / 8) + 15)); }
# The crop arguments of grab for the middle of card I, into FILE.
card_crop() { echo "$(card_x "$1") $(card_y "$1") 80 80 $2"; }
# Two crops show the same picture (within the leeway of the sprite scaling's rounding).
same_picture() { "$LOOK" same "$1" "$2"; }
# With the mouse a card is clicked near its bottom-right corner: the full-screen pointer drawn there
# stays out of every card's middle, and the faces are looked at at once, before a found pair fades
# away. With the keys the ring goes the short way round (the arrows wrap) from the card it is on,
# POS, to the card, and Return turns it.
POS=0
click_card() {
  if [ "$E2E_HANDS" = keys ]; then
    key $(arrows $(( (($1 - POS) % 8 + 12) % 8 - 4 )) Right Left) $(arrows $(( ($1 / 8 - POS / 8 + 9) % 6 - 3 )) Down Up) Return
    POS=$1
    return
  fi
  local x=$(( $(card_x "$1") + 85 )) y=$(( $(card_y "$1") + 85 ))
  if [ "$E2E_KIND" = 0 ]; then fullscreen_point_at "$x" "$y" && click_button; else window_click "$x" "$y"; fi
}
# A look at the screen as FILE.ppm, with cards A and B cropped to $CARDS/now-a.ppm and now-b.ppm.
look_at_cards() {
  player_look "$1" $(card_crop "$2" "$CARDS/now-a.ppm") $(card_crop "$3" "$CARDS/now-b.ppm")
}

# Turns cards A and B (the last pair is resolved by then, so the game takes both clicks): A's face
# is seen before B is clicked, B's once both are up, in the picture pair.ppm; they are kept as
# face-A.ppm and face-B.ppm. A found pair may fade before a slow look sees B: A's place then no
# longer shows A's face, and resolve_turn finds it gone.
take_turn() {
  local a=$1 b=$2
  click_card "$a"
  for _ in $(seq 1 80); do
    look_at_cards "$E2E_WORK/pair.ppm" "$a" "$b"
    ! same_picture "$CARDS/now-a.ppm" "$CARDS/back-$a.ppm" && break
    sleep 0.05
  done
  same_picture "$CARDS/now-a.ppm" "$CARDS/back-$a.ppm" && fail "card $a did not turn"
  mv "$CARDS/now-a.ppm" "$CARDS/face-$a.ppm"
  click_card "$b"
  for _ in $(seq 1 80); do
    look_at_cards "$E2E_WORK/pair.ppm" "$a" "$b"
    same_picture "$CARDS/now-a.ppm" "$CARDS/face-$a.ppm" || return 0
    if ! same_picture "$CARDS/now-b.ppm" "$CARDS/back-$b.ppm"; then
      mv "$CARDS/now-b.ppm" "$CARDS/face-$b.ppm"
      return 0
    fi
    sleep 0.05
  done
  fail "card $b did not turn"
}

# Waits until the turned pair A, B has been resolved and sets RESOLVED to "back" when it turned
# back (after 81 frames), "gone" when it was taken (a fade of 32 frames). The last picture is
# later.ppm.
resolve_turn() {
  local a=$1 b=$2
  for _ in $(seq 1 120); do
    look_at_cards "$E2E_WORK/later.ppm" "$a" "$b"
    same_picture "$CARDS/now-a.ppm" "$CARDS/face-$a.ppm" || break
    sleep 0.1
  done
  # Back: both places show their backs. Gone: A's face has gone, neither place shows a back, and
  # A's place stays as it is for a while (a slow game may show the same frame of the fade twice in
  # a row). A picture taken while the game draws may show neither yet: another look decides.
  for _ in $(seq 1 40); do
    if same_picture "$CARDS/now-a.ppm" "$CARDS/back-$a.ppm" && same_picture "$CARDS/now-b.ppm" "$CARDS/back-$b.ppm"; then
      RESOLVED=back
      return 0
    fi
    mv "$CARDS/now-a.ppm" "$CARDS/was-a.ppm"
    sleep 0.4
    look_at_cards "$E2E_WORK/later.ppm" "$a" "$b"
    if same_picture "$CARDS/now-a.ppm" "$CARDS/was-a.ppm" && ! same_picture "$CARDS/now-a.ppm" "$CARDS/face-$a.ppm" \
       && ! same_picture "$CARDS/now-a.ppm" "$CARDS/back-$a.ppm" && ! same_picture "$CARDS/now-b.ppm" "$CARDS/back-$b.ppm"; then
      RESOLVED=gone
      return 0
    fi
  done
  fail "cards $a and $b kept changing, or one went and the other did not"
}

# Keeps the picture $E2E_WORK/NAME.ppm as STAGE.png among the pictures, unless it is there already.
keep_once() { [ -f "$E2E_SHOTS/$2.png" ] || convert "$E2E_WORK/$1.ppm" "png:$E2E_SHOTS/$2.png"; }

# First round of a fresh deal on the screen: the backs are seen, then cards FIRST to LAST (all 48
# unless told) once, two at a time. A wrong pair shows its backs again after 81 frames; a matching
# pair fades out in 32 and leaves the background. Leaves the cards still down in UNMATCHED and
# keeps turned.png (the first pair up), pair-found.png (when a pair was found by chance),
# wrong-pair.png and wrong-pair-back.png.
play_first_round() {
  local first=${1:-0} last=${2:-47} crops=() i j
  CARDS="$E2E_WORK/cards"
  mkdir -p "$CARDS"
  for i in $(seq 0 47); do crops+=($(card_crop "$i" "$CARDS/back-$i.ppm")); done
  player_look "$E2E_WORK/deal.ppm" "${crops[@]}"
  UNMATCHED=()
  for ((i = first; i < last; i += 2)); do
    j=$((i + 1))
    take_turn "$i" "$j"
    keep_once pair turned
    resolve_turn "$i" "$j"
    if [ "$RESOLVED" = back ]; then
      UNMATCHED+=("$i" "$j")
      [ -f "$E2E_SHOTS/wrong-pair.png" ] || { keep_once pair wrong-pair; keep_once later wrong-pair-back; }
    else
      keep_once pair pair-found
    fi
  done
}

# Second round: every remembered pair of UNMATCHED, up to the well-done banner (well-done.png);
# the first pair taken is pair-found.png unless the first round found one.
play_second_round() {
  local first partner j k rest
  while [ "${#UNMATCHED[@]}" -gt 0 ]; do
    first=${UNMATCHED[0]}
    partner=""
    for j in "${UNMATCHED[@]:1}"; do
      if same_picture "$CARDS/face-$first.ppm" "$CARDS/face-$j.ppm"; then partner=$j; break; fi
    done
    [ -n "$partner" ] || fail "no partner remembered for card $first"
    take_turn "$first" "$partner"
    resolve_turn "$first" "$partner"
    [ "$RESOLVED" = gone ] || fail "cards $first and $partner were not a pair"
    keep_once pair pair-found
    rest=()
    for k in "${UNMATCHED[@]}"; do [ "$k" = "$first" ] || [ "$k" = "$partner" ] || rest+=("$k"); done
    UNMATCHED=("${rest[@]}")
  done
  # The banner fades in over the darkening board; the middle of its star is opaque.
  pack_picture_size "well done.png" >/dev/null
  local star
  star=$(pixel "$E2E_WORK/picture.png" 300 220)
  for _ in $(seq 1 100); do
    player_look "$E2E_WORK/banner.ppm"
    pixel_near "$E2E_WORK/banner.ppm" 640 360 "$star" && { convert "$E2E_WORK/banner.ppm" "png:$E2E_SHOTS/well-done.png"; return 0; }
    sleep 0.1
  done
  fail "no well-done banner"
}
