#!/usr/bin/env bash
# The window kinds at any size, the desktop at any scale. The 1280x720 window resized during play as a
# tiling window manager resizes it (xdotool on a bare X server) is laid out anew at its size once the
# size has settled: the menu in its middle, no margins, and START answers where it is drawn (the
# picture fitted while the size changes, other shapes, and back at its own size the frame drawn: the
# window's tests). At 200 % (GDK_SCALE=2, or the desktop's XSETTINGS)
# the window is twice as large, its texts sharper than the picture at 100 % enlarged, and full screen
# lays the game out at half the desktop's size, or at 1920x1080 on a desktop of that size. Under
# openbox a window asked larger than the desktop opens inside its work area, its picture fitted.
source "$(dirname "$0")/lib.sh" "$1"

# Where the game pixel (X, Y) of a GAME_W x GAME_H game is drawn in the window of WIN_W x WIN_H.
GAME_W=1280 GAME_H=720
fitted_point() {
  awk -v ww="$WIN_W" -v wh="$WIN_H" -v x="$1" -v y="$2" -v gw="$GAME_W" -v gh="$GAME_H" 'BEGIN {
    s = ww / gw < wh / gh ? ww / gw : wh / gh
    printf "%d %d\n", int((ww - int(gw * s + 0.5)) / 2) + x * s, int((wh - int(gh * s + 0.5)) / 2) + y * s }'
}
fitted_click() { window_click $(fitted_point "$1" "$2") "${3:-1}"; }
# The window now (now.ppm) shows the menu panel at the game pixel (X, Y).
fitted_panel_shows() { window_shot "$E2E_WORK/now.ppm" && panel_shows "$E2E_WORK/now.ppm" $(fitted_point "$@"); }
# The picture's corners lit inside black margins at the window's corners.
picture_centred() {
  local x0 y0 x1 y1 lit
  read -r x0 y0 < <(fitted_point 0 0) && read -r x1 y1 < <(fitted_point "$GAME_W" "$GAME_H")
  lit() { [ "$(pixel "$E2E_WORK/now.ppm" "$1" "$2")" != 0,0,0 ]; }
  lit $((x0 + 2)) $((y0 + 2)) && lit $((x1 - 3)) $((y1 - 3)) && ! lit 0 0 && ! lit $((WIN_W - 1)) $((WIN_H - 1))
}
fitted_menu() { fitted_panel_shows 640 $((MENU_TOP + 600)) && picture_centred; }
fitted_board() { ! fitted_panel_shows 640 $((MENU_TOP + 600)) && picture_centred; }
# Resized to W x H of the window's pixels, the game is laid out at W x H over the desktop's scale:
# the menu in the middle and the corners lit; a click where ENTRY is then drawn (at the panel's
# height Y) shows the board: resized_click W H Y ENTRY
# (The game's size stays GAME_W x GAME_H, the menu's check laid_out, until the game ends.)
laid_out() {
  fitted_panel_shows $((GAME_W / 2)) $(( (GAME_H - MENU_H) / 2 + 600 )) &&
    [ "$(pixel "$E2E_WORK/now.ppm" 0 0)" != 0,0,0 ] && [ "$(pixel "$E2E_WORK/now.ppm" $((WIN_W - 1)) $((WIN_H - 1)))" != 0,0,0 ]
}
resize_window() { xdotool windowsize "$GAME_WINDOW" "$1" "$2"; WIN_W=$1 WIN_H=$2; }
resized_click() {
  resize_window "$1" "$2"
  GAME_W=$(($1 / ${GDK_SCALE:-1})) GAME_H=$(($2 / ${GDK_SCALE:-1}))
  until_true laid_out || fail "${GDK_SCALE:-1}x, $1x$2: the game not laid out at the window's size"
  fitted_click $((GAME_W / 2)) $(( (GAME_H - MENU_H) / 2 + $3 ))
  until_true eval '! laid_out' || fail "${GDK_SCALE:-1}x, $1x$2: $4 where it is drawn did not show the board"
}
# Escape twice, from the game to the menu (seen by the command given, fitted_menu by default) and out.
leave_game() { press Escape; until_true "${@:-fitted_menu}" && press Escape && wait_for_exit 100 || fail "the game did not end cleanly"; }
# Skips the logo and the title until the menu shows at the game pixel (X, Y).
menu_then() { for _ in $(seq 1 60); do fitted_panel_shows "$1" "$2" && return 0; press space; done; fail "no menu at $1,$2"; }

# ---- bare X server: the menu at 100 %, to set beside the one at 200 %
start_x 3840x2160
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n'
open_game
WIN_W=1280 WIN_H=720
menu_then 640 $((MENU_TOP + 600))
wait_still
window_shot "$E2E_WORK/menu.ppm"
resized_click 1596 880 190 START
leave_game laid_out
grep -q '^ScreenMode = 1596x880$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "the window's settled size not saved"
GAME_W=1280 GAME_H=720
window_prefs() { printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n' >"${E2E_GAME_DIR}Vesperine.prefs"; }
window_prefs

# ---- 200 %: the 1280x720 window is 2560x1440; its START row holds more detail (what halving and
# doubling again takes away) than the row of the 100 % menu enlarged twice.
export GDK_SCALE=2
open_game
read -r WIN_W WIN_H < <(xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[ "${WIN_W}x$WIN_H" = 2560x1440 ] || fail "at scale 2 the 1280x720 window is ${WIN_W}x$WIN_H"
menu_then 640 $((MENU_TOP + 600))
detail() { convert "$@" \( +clone -filter box -resize 50% -filter triangle -resize 200% \) -compose difference -composite -colorspace gray -format "%[fx:int(mean * 100000)]" info:; }
sharp=$(detail "$E2E_WORK/now.ppm" -crop "1000x160+780+$(((MENU_TOP + 150) * 2))" +repage)
enlarged=$(detail "$E2E_WORK/menu.ppm" -crop "500x80+390+$((MENU_TOP + 150))" +repage -resize 200%)
[ "$sharp" -gt $((enlarged * 3 / 2)) ] || fail "START at scale 2 carries no more detail ($sharp) than enlarged ($enlarged)"
resized_click 3192 1760 190 START
# On the menu, F11: full screen laid out at half the desktop; F11 again: the window at the size it
# settled at.
press Escape && until_true laid_out || fail "2x: Escape did not open the menu"
# (Every picture is made again for a screen of 3840x2160: on a loaded machine that takes seconds.)
until_long() { for _ in $(seq 1 120); do "$@" && return 0; sleep 0.25; done; return 1; }
game_window_is() {
  GAME_WINDOW=$(xdotool search --onlyvisible --name '^Vesperine 1' 2>/dev/null | tail -n1)
  [ -n "$GAME_WINDOW" ] && [ "$(xwininfo -id "$GAME_WINDOW" 2>/dev/null | awk '/Width:/ {print $2}')" = "$1" ]
}
full_screen() { game_window_is 3840 && grab root "$E2E_WORK/now.ppm" && panel_shows "$E2E_WORK/now.ppm" 1920 $(((540 - MENU_H / 2 + 600) * 2)); }
press F11
until_long full_screen || fail "2x: F11 did not open full screen"
press F11
until_long game_window_is 3192 || fail "2x: F11 did not bring back the window at 3192 pixels wide"
until_true laid_out || fail "2x: the window brought back not laid out at 1596x880"
press Escape && wait_for_exit 100 || fail "2x: Escape at the menu did not end the game"
grep -q '^ScreenMode = 1596x880$' "${E2E_GAME_DIR}Vesperine.prefs" || fail "2x: the window's game size not saved"
GAME_W=1280 GAME_H=720
window_prefs

# ---- 200 % set by the desktop (Gdk/WindowScalingFactor from an XSETTINGS manager, no GDK_SCALE): the
# window is 2560x1440, and full screen is laid out at 1920x1080 and fills the screen.
unset GDK_SCALE
printf 'Gdk/WindowScalingFactor 2\n' >"$E2E_WORK/xsettings"
xsettingsd -c "$E2E_WORK/xsettings" >"$E2E_WORK/xsettingsd.out" 2>&1 &
settings=$!
answers $settings "$LOOK" owned _XSETTINGS_S0 || fail "xsettingsd did not start"
open_game
read -r WIN_W WIN_H < <(xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[ "${WIN_W}x$WIN_H" = 2560x1440 ] || fail "at the desktop's scale 2 the 1280x720 window is ${WIN_W}x$WIN_H"
menu_then 640 $((MENU_TOP + 600)) && press Escape && wait_for_exit 100 || fail "the scaled window did not end cleanly"
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 0\n' >"${E2E_GAME_DIR}Vesperine.prefs"
start_game /LOG && wait_for_window && wait_for_menu 1920 $(((540 - MENU_H / 2 + 600) * 2))
grep -c $'^Screen[wW]idth:\t\t1920$' <<<"$(game_log)" | grep -qx 2 || fail "full screen at scale 2 not laid out at 1920 wide"
grab root "$E2E_WORK/full.ppm"
for at in "4 4" "3835 2155"; do [ "$(pixel "$E2E_WORK/full.ppm" $at)" != 0,0,0 ] || fail "full screen at scale 2 leaves $at black"; done
press Escape && wait_for_exit 100 || fail "full screen at scale 2 did not end cleanly"
kill $settings

# ---- 200 % on a 1920x1080 desktop, too small to lay the game out at its half (960x540, the menu
# panel would not fit): full screen is laid out at 1920x1080 a pixel a game pixel and START deals
# where it is drawn. Under openbox the 1280x720 window, 2560x1440 of the screen's pixels, is larger
# than the work area: it opens at the largest 16:9 that fits with its frame, its picture fitted,
# and START deals where it is drawn.
stop_x_servers && X_SERVER_PIDS=() && start_x 1920x1080
export GDK_SCALE=2 FULLSCREEN_CENTRE="x:960 y:540"
FULL_TOP=$(( (1080 - MENU_H) / 2 ))
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 0\n' >"${E2E_GAME_DIR}Vesperine.prefs"
rm "$E2E_GAME_DIR"Log*.log && start_game /LOG && wait_for_window && wait_for_menu 960 $((FULL_TOP + 600))
[ "$(game_log | grep -cE $'^Screen([wW]idth:\t\t1920|[hH]eight:\t\t1080)$')" = 4 ] || fail "full screen at scale 2 on 1920x1080 not laid out at 1920x1080"
fullscreen_click 960 $((FULL_TOP + 190))   # START
full_board() { grab root "$E2E_WORK/now.ppm" && panel_hidden "$E2E_WORK/now.ppm" 960 $((FULL_TOP + 600)); }
until_true full_board || fail "full screen at scale 2 on 1920x1080: START where it is drawn did not deal"
cp "$E2E_WORK/now.ppm" "$E2E_SHOTS/fullscreen-200-1920x1080.ppm"
press Escape && until_true eval 'grab root "$E2E_WORK/now.ppm" && panel_shows "$E2E_WORK/now.ppm" 960 $((FULL_TOP + 600))' &&
  press Escape && wait_for_exit 100 || fail "full screen at scale 2 on 1920x1080 did not end cleanly"
start_window_manager || fail "openbox did not start"
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n' >"${E2E_GAME_DIR}Vesperine.prefs"
start_game && wait_for_window && xdotool windowactivate --sync "$GAME_WINDOW"
read -r WIN_W WIN_H < <(xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
read -r left right top bottom < <(xprop -id "$GAME_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
[ $((WIN_W + left + right)) -le 1920 ] && [ $((WIN_H + top + bottom)) -le 1080 ] && [ $((WIN_H + top + bottom)) -gt 1060 ] &&
  [ $((WIN_W * 9 / 16 - WIN_H)) -ge -2 ] && [ $((WIN_W * 9 / 16 - WIN_H)) -le 2 ] \
  || fail "the window is ${WIN_W}x$WIN_H framed by $left $right $top $bottom: not the largest 16:9 in the desktop"
menu_then 640 $((MENU_TOP + 600))
fitted_click 640 $((MENU_TOP + 190))   # START
until_true eval '! fitted_panel_shows 640 $((MENU_TOP + 600))' || fail "the window kept in the work area: START where it is drawn did not deal"
cp "$E2E_WORK/now.ppm" "$E2E_SHOTS/window-200-1920x1080.ppm"
leave_game fitted_panel_shows 640 $((MENU_TOP + 600))  # the window's shape is the picture's: no margins
echo "window sizes: OK"
