#!/usr/bin/env bash
# Desktops with panels and a tiling window manager. The borderless kind under openbox and under
# mutter with a 96-pixel panel (a dock reserving its strip), at the top or the bottom, there before
# the game starts or after, at 100 % and 200 %: the window at (0, 0) covering the screen, which shows
# the game's whole picture. Full screen at 200 % under mutter: its pointer as sharp as the screen's
# pixels allow, not the 32-pixel picture magnified; another window takes the focus and the frame
# left on the screen shows no pointer of the game's; a click brings it back with the pointer where
# the click was. i3 with another window open: a window the game sizes itself, at 200 % or at the
# desktop's size, opens with its frame wholly on the screen, in the game's shape. (And the borderless
# kind at 200 % on a desktop too small for the game at its half: the desktop's size.)
source "$(dirname "$0")/lib.sh" "$1"

PANEL_PID=""
panel() {
  "$E2E_BUILD/vesperine-dock-panel" "$1" 96 >"$E2E_WORK/panel.out" &
  PANEL_PID=$! && E2E_PIDS+=($!)
  until_true grep -q shown "$E2E_WORK/panel.out" || fail "the $1 panel did not show"
  local area="= 0, 0, 2560, 1344"
  [ "$1" = bottom ] || area="= 0, 96, 2560, 1344"
  until_true eval 'xprop -root _NET_WORKAREA | grep -q "$area"' || fail "the $1 panel reserves no strip"
}
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'; }
menu_at_scale() { wait_for_menu 1280 $(( $1 == 1 ? (1440 - MENU_H) / 2 + 600 : (MENU_TOP + 600) * 2 )); }

# The borderless game at SCALE with a panel along EDGE started before or after it: the window at
# (0, 0) the screen's size, and the screen holds exactly the game's own picture of its frame (S).
borderless_with_panel() {
  local wm=$1 scale=$2 edge=$3 when=$4 label="$1, ${2}x, $3 panel $4 the game"
  [ "$when" = after ] || panel "$edge"
  printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 2\n' >"${E2E_GAME_DIR}Vesperine.prefs"
  GDK_SCALE=$scale open_game
  covers() { [ "$(geometry "$GAME_WINDOW")" = "0 0 2560 1440" ]; }
  until_true covers || fail "$label: the window at $(geometry "$GAME_WINDOW")"
  menu_at_scale "$scale"
  [ "$when" = before ] || { panel "$edge"; sleep 0.5; }  # a window manager would move the window at once
  covers || fail "$label: the window at $(geometry "$GAME_WINDOW")"
  take_screenshot "$wm-$scale-$edge-$when"
  until_true desktop_shows "$E2E_SHOTS/$wm-$scale-$edge-$when.png" || fail "$label: the game's picture not whole on the screen"
  press Escape && wait_for_exit 100 || fail "$label: the game did not end"
  kill "$PANEL_PID" && wait "$PANEL_PID" 2>/dev/null
}
borderless_cases() {
  borderless_with_panel "$1" 1 top before
  borderless_with_panel "$1" 2 top after
  borderless_with_panel "$1" 2 bottom before
}

start_x 2560x1440 wm
make_game_dir
read -r POINTER_W POINTER_H < <(pack_picture_size pointer.png)  # leaves it as $E2E_WORK/picture.png
borderless_cases openbox
kill "${X_SERVER_PIDS[-1]}"
install -d -m 0700 "$E2E_WORK/run"
XDG_RUNTIME_DIR="$E2E_WORK/run" dbus-run-session -- mutter --x11 --replace --sm-disable >"$E2E_WORK/mutter.log" 2>&1 &
E2E_PIDS+=($!)
until_true eval 'wmctrl -m 2>/dev/null | grep -qx "Name: Mutter"' || fail "mutter did not start"
borderless_cases mutter

# ---- Full screen at 200 % under mutter, laid out at 1280x720. The game's pointer is walked to the
# game pixel (100, 100), drawn at (200, 200) of the screen: its cream inside at (8, 20) of it.
export FULLSCREEN_CENTRE="x:1280 y:720"
cream_at() { grab root - "$1" "$2" 1 1 "$E2E_WORK/dot.ppm" && IFS=, read -r r g b <<<"$(pixel "$E2E_WORK/dot.ppm" 0 0)" && [ "$r" -ge 240 ] && [ "$g" -ge 205 ] && [ "$b" -ge 160 ]; }
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 0\n' >"${E2E_GAME_DIR}Vesperine.prefs"
GDK_SCALE=2 start_game && wait_for_window && menu_at_scale 2
fullscreen_to_corner && fullscreen_step 200 200
until_true cream_at 208 220 || fail "full screen at 200 %: the pointer not drawn at (100, 100)"
grab root "$E2E_WORK/with-pointer.ppm" 200 200 $((POINTER_W * 2)) $((POINTER_H * 2)) "$E2E_WORK/pointer-shown.ppm"
# Its detail: what halving and doubling again takes away. The 32-pixel picture magnified over the
# same place (seen once the pointer has gone) has little to lose; the pointer drawn has more.
detail() { convert "$@" \( +clone -filter box -resize 50% -filter triangle -resize 200% \) -compose difference -composite -colorspace gray -format "%[fx:int(mean * 100000)]" info:; }

other_window 400x150+1500+1000
xdotool windowactivate --sync "$OTHER"
until_true eval '! cream_at 208 220' || fail "full screen away: the game's pointer still drawn"
grab root "$E2E_WORK/away.ppm" 200 200 $((POINTER_W * 2)) $((POINTER_H * 2)) "$E2E_WORK/under-pointer.ppm"
[ "$(region_difference "$E2E_WORK/with-pointer.ppm" "$E2E_WORK/away.ppm" 1400x900+0+0)" -le \
  "$(region_difference "$E2E_WORK/pointer-shown.ppm" "$E2E_WORK/under-pointer.ppm" "$((POINTER_W * 2))x$((POINTER_H * 2))+0+0")" ] ||
  fail "full screen away: the frame left on the screen changed beyond the pointer"
convert "$E2E_WORK/under-pointer.ppm" \( "$E2E_WORK/picture.png" -filter triangle -resize 200% \) -composite "$E2E_WORK/magnified.png"
sharp=$(detail "$E2E_WORK/pointer-shown.ppm") magnified=$(detail "$E2E_WORK/magnified.png")
[ "$sharp" -gt $((magnified * 3 / 2)) ] || fail "the pointer at 200 % carries no more detail ($sharp) than magnified ($magnified)"
echo "the pointer at 200 %: detail $sharp, the 32-pixel picture magnified $magnified"
keep_shots "$E2E_WORK/pointer-shown.ppm"
xdotool mousemove 300 800 click 1  # back by a click beside the menu panel, at the game pixel (150, 400)
until_true cream_at 308 820 || fail "full screen back: the game's pointer not where the click was"
press Escape && wait_for_exit 100 || fail "full screen at 200 % did not end cleanly"
kill "$OTHER_PID"
unset FULLSCREEN_CENTRE

# ---- i3, which publishes no work area and tells nothing of its frames, another window tiled: the
# window at 200 % (2560x1440 of the screen's pixels asked) and a ScreenMode of the desktop's size,
# floating as a player's rule asks for the game (tiled, it takes its tile's size), open with their
# frames on the screen, of 16:9.
stop_x_servers && X_SERVER_PIDS=() && start_x 1920x1080
# (First, with no window manager: the borderless kind at 200 % on a desktop too small to lay the game
# out at its half has the desktop's size, not twice that.)
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 2\n' >"${E2E_GAME_DIR}Vesperine.prefs"
GDK_SCALE=2 start_game && wait_for_window
[ "$(geometry "$GAME_WINDOW")" = "0 0 1920 1080" ] || fail "borderless at 200 % on 1920x1080: the window at $(geometry "$GAME_WINDOW")"
kill "$GAME_PID" && wait_for_exit 50
printf '# i3 config file (v4)\nipc-socket %s\nfor_window [class="Vesperine"] floating enable\n' "$E2E_WORK/i3.sock" >"$E2E_WORK/i3.config"
i3 -c "$E2E_WORK/i3.config" >"$E2E_WORK/i3.log" 2>&1 &
E2E_PIDS+=($!)
until_true eval 'i3-msg -s "$E2E_WORK/i3.sock" -t get_version >/dev/null 2>&1' || fail "i3 did not start"
other_window 300x100+50+50
for case in "2 1280x720" "1 1920x1080"; do
  read -r scale mode <<<"$case"
  printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = %s\n' "$mode" >"${E2E_GAME_DIR}Vesperine.prefs"
  GDK_SCALE=$scale start_game && wait_for_window
  frame=$(xwininfo -tree -id "$GAME_WINDOW" | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
  until_true eval 'read -r x y w h < <(geometry "$frame") && [ "$w" -gt 0 ] && [ $((x + w)) -le 1920 ] && [ $((y + h)) -le 1080 ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ]' ||
    fail "i3, ${scale}x, $mode: the window's frame at $(geometry "$frame"), off the screen"
  read -r _ _ w h < <(geometry "$GAME_WINDOW")
  [ $((w * 9 / 16 - h)) -ge -2 ] && [ $((w * 9 / 16 - h)) -le 2 ] && [ $((h * 100 / 1080)) -ge 90 ] ||
    fail "i3, ${scale}x, $mode: the window is ${w}x$h, not the largest 16:9 with room for its frame"
  kill "$GAME_PID" && wait_for_exit 50
done
echo "panels: OK"
