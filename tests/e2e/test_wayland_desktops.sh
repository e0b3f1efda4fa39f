#!/usr/bin/env bash
# Wayland desktops through Xwayland, each nested in an Xvfb whose mouse and keyboard are the
# player's: weston, mutter, kwin and, when the test may start it as nobody (root), sway. In each
# screen kind the keys reach the game without help (Space skips the intro), S saves the menu at the
# screen's size, a click on START deals, and Escape twice ends the game with its preferences saved.
# A desktop places the window kinds itself: their clicks go where xwininfo finds the drawing area.
# On weston the window is switched to full screen from the settings and back with F11.
# In full screen, which shows only what changed where the driver copies parts of frames, the pointer
# walks over the menu first, and the desktop must then show exactly the whole frame S saved; where
# the desktop minimises X windows, again after the game was put away and brought back.
source "$(dirname "$0")/lib.sh" "$1"

# The screen's top-left corner on the desktop, as "x y".
screen_origin() {
  [ "$kind" != 0 ] || { echo "0 0"; return; }
  "${NESTED_CLIENT[@]}" xwininfo -id "$GAME_WINDOW" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {print x, $4}'
}
# A click at (x, y) of the game screen: the pointer from the desktop's corner to there and a little
# about it, as a player's hand moves (a desktop may take the first motion into a window as an
# entry only), pressed for a few frames.
desktop_click() {
  read -r ox oy < <(screen_origin)
  xdotool mousemove 0 0 sleep 0.1 mousemove $((ox + $1 + 1)) $((oy + $2)) sleep 0.1 mousemove $((ox + $1)) $((oy + $2)) sleep 0.1
  click_button
}
# The menu panel's amber shows at (x, y) of the game screen: one pixel of the desktop, read alone
# (a whole picture of it costs seconds on a loaded machine).
menu_at() {
  read -r ox oy < <(screen_origin)
  import -window root -crop "1x1+$((ox + $1))+$((oy + $2))" -depth 8 rgb:- | od -An -tu1 |
    awk '{ near = ($1 - 241) ^ 2 + ($2 - 172) ^ 2 + ($3 - 71) ^ 2 <= 27 } END { exit !near }'
}
menu_gone() { ! menu_at "$@"; }
desktop_differs() { ! desktop_shows "$@"; }
game_active() { [ "$("${NESTED_CLIENT[@]}" xdotool getactivewindow 2>/dev/null)" = "$GAME_WINDOW" ]; }

# From the window's menu with a game running, by the keys: the ring down to SETTINGS, past MUSIC and
# SOUNDS on the SCREEN row's left arrow (window to full screen) and on OK; full screen shows the menu, and F11 brings the
# window back with it.
switch_screen() {
  local desktop=$1 full_top=$(( (1080 - MENU_H) / 2 )) window_top=$(( (720 - MENU_H) / 2 ))
  for k in Down Down Down Return Down Down Down Down Return Down Down Return; do press "$k"; done
  kind=0
  until_true menu_at 960 $((full_top + 600)) || fail "$desktop: the SCREEN row and OK did not open full screen with the menu"
  press F11
  kind=1
  wait_for_window
  until_true menu_at 640 $((window_top + 600)) || fail "$desktop: F11 did not bring the window back with the menu"
}

play_on() {
  local desktop=$1 kind=$2 width=1920 height=1080 size
  [ "$kind" = 1 ] && width=1280 height=720
  printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = %s\nScreenMode = 1280x720\n' "$kind" >"${E2E_GAME_DIR}Vesperine.prefs"
  start_game
  wait_for_window
  local x=$((width / 2)) y=$(( (height - MENU_H) / 2 ))
  # The window kinds take the focus from a click (on the logo: it does nothing else there).
  [ "$kind" = 0 ] || desktop_click 10 10
  for _ in $(seq 1 60); do menu_at "$x" $((y + 600)) && break; press space; sleep 0.3; done
  menu_at "$x" $((y + 600)) || fail "$desktop, kind $kind: the menu did not show"
  [ "$kind" != 0 ] || for i in $(seq 1 12); do xdotool mousemove $((700 + i * 37)) $((400 + i * 23)) sleep 0.05; done
  take_screenshot "$desktop-$kind-menu"
  size=$(identify -format '%w %h' "$E2E_SHOTS/$desktop-$kind-menu.png")
  [ "$size" = "$width $height" ] || fail "$desktop, kind $kind: screenshot size $size"
  [ "$kind" != 0 ] || until_true desktop_shows "$E2E_SHOTS/$desktop-$kind-menu.png" ||
    fail "$desktop: the desktop does not show the whole frame after the pointer's walk"
  for _ in 1 2 3 4; do  # a click a loaded machine missed is given again
    desktop_click "$x" $((y + 190)) && until_true menu_gone "$x" $((y + 600)) && break
  done
  menu_gone "$x" $((y + 600)) || fail "$desktop, kind $kind: START did not show the board"
  press Escape
  until_true menu_at "$x" $((y + 600)) || fail "$desktop, kind $kind: Escape did not open the menu"
  [ "$desktop" != weston ] || [ "$kind" != 1 ] || switch_screen "$desktop"
  # kwin and mutter put the game away for another window and bring it back (weston and sway
  # minimise no X window): the desktop then shows a new S screenshot whole.
  if [ "$kind" = 0 ] && { [ "$desktop" = kwin ] || [ "$desktop" = mutter ]; }; then
    take_screenshot "$desktop-$kind-away"
    other_window 400x200+300+300
    "${NESTED_CLIENT[@]}" xdotool windowminimize "$GAME_WINDOW"
    until_true desktop_differs "$E2E_SHOTS/$desktop-$kind-away.png" || fail "$desktop: the game was not put away"
    # The other window gone first: on a loaded machine its late activation could take the focus
    # from the game brought back, which then rightly shows its frame without its pointer.
    kill "$OTHER_PID"
    "${NESTED_CLIENT[@]}" xdotool windowactivate "$GAME_WINDOW"
    until_true game_active || fail "$desktop: the game brought back has not the focus"
    take_screenshot "$desktop-$kind-back"
    until_true desktop_shows "$E2E_SHOTS/$desktop-$kind-back.png" ||
      fail "$desktop: the desktop does not show the whole frame once the game is back"
  fi
  escape_quits "$desktop, kind $kind: the game did not end cleanly"
  grep -q '^; Vesperine' "${E2E_GAME_DIR}Vesperine.prefs" || fail "$desktop, kind $kind: preferences not saved"
  ! grep -q "no keyboard focus" "$E2E_WORK/game.out" || fail "$desktop, kind $kind: no focus at the start, asked for again"
}

make_game_dir
desktops=(weston mutter kwin)
[ "$(id -u)" = 0 ] && desktops+=(sway)
for desktop in ${E2E_DESKTOPS:-${desktops[@]}}; do
  X_SERVER_PIDS=()
  start_compositor "$E2E_WORK" "$desktop"
  started=$?
  E2E_PIDS+=("${X_SERVER_PIDS[@]}")
  [ "$started" = 0 ] || fail "$desktop did not start"
  for kind in 0 1 2; do play_on "$desktop" "$kind"; done
  stop_x_servers
  E2E_PIDS=()
done
echo "Wayland desktops: OK (${E2E_DESKTOPS:-${desktops[*]}})"
