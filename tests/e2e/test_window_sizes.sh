#!/usr/bin/env bash
# The window kinds at any size: the 1280x720 window resized during play as a tiling window manager
# resizes it (xdotool on a bare X server, where no size hints hold) shows the whole picture fitted and
# centred, START and CONTINUE answer where they are drawn, and back at its size the window shows
# exactly what it showed before. A window asked larger than the desktop opens inside its work area.
# On a desktop at 200 % the window opens twice as large, its texts sharp, and full screen lays out at
# half the desktop's size.
source "$(dirname "$0")/lib.sh" "$1"

# The window point where the game pixel (X, Y) of a GAME_W x GAME_H picture is drawn in a window of
# WIN_W x WIN_H: fitted_point WIN_W WIN_H X Y [GAME_W GAME_H]
fitted_point() {
  awk -v ww="$1" -v wh="$2" -v x="$3" -v y="$4" -v gw="${5:-1280}" -v gh="${6:-720}" 'BEGIN {
    s = ww / gw < wh / gh ? ww / gw : wh / gh
    w = int(gw * s + 0.5); h = int(gh * s + 0.5)
    printf "%d %d\n", int((ww - w) / 2) + x * s, int((wh - h) / 2) + y * s }'
}
resize_window() { xdotool windowsize "$GAME_WINDOW" "$1" "$2"; WIN_W=$1 WIN_H=$2; }
# The game pixel (X, Y) shows the menu panel in the window as it is now.
fitted_panel_shows() { panel_shows "$E2E_WORK/now.ppm" $(fitted_point "$WIN_W" "$WIN_H" "$@"); }
fitted_click() { window_click $(fitted_point "$WIN_W" "$WIN_H" "$1" "$2") "${3:-1}"; }
# The picture spans the window's width or height, centred: black just outside its left and right
# edges (or top and bottom), the background just inside them.
picture_centred() {
  local left right
  read -r left _ < <(fitted_point "$WIN_W" "$WIN_H" 0 0)
  read -r right _ < <(fitted_point "$WIN_W" "$WIN_H" 1280 0)
  local top bottom
  read -r _ top < <(fitted_point "$WIN_W" "$WIN_H" 0 0)
  read -r _ bottom < <(fitted_point "$WIN_W" "$WIN_H" 0 720)
  local y=$(( (top + bottom) / 2 )) x=$(( (left + right) / 2 )) at
  for at in "$((left + 2)) $y" "$((right - 3)) $y" "$x $((top + 2))" "$x $((bottom - 3))"; do
    [ "$(pixel "$1" $at)" != 0,0,0 ] || return 1
  done
  for at in "$((left - 2)) $y" "$((right + 1)) $y" "$x $((top - 2))" "$x $((bottom + 1))"; do
    read -r px py <<<"$at"
    [ "$px" -lt 0 ] || [ "$py" -lt 0 ] || [ "$px" -ge "$WIN_W" ] || [ "$py" -ge "$WIN_H" ] || [ "$(pixel "$1" $at)" = 0,0,0 ] || return 1
  done
}
fitted_menu() { fitted_panel_shows 640 $((MENU_TOP + 600)) && picture_centred "$E2E_WORK/now.ppm"; }
fitted_board() { ! fitted_panel_shows 640 $((MENU_TOP + 600)) && picture_centred "$E2E_WORK/now.ppm"; }

# ---- bare X server: the window resized during play
start_x 1920x1080
make_game_dir $'[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n'
open_game
WIN_W=1280 WIN_H=720
wait_for_window_menu 640 $((MENU_TOP + 600))
wait_still
window_shot "$E2E_WORK/menu.ppm"
resize_window 1596 880
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "1596x880: the menu not fitted and centred"
convert "$E2E_WORK/now.ppm" "png:$E2E_SHOTS/menu-1596x880.png"
resize_window 1280 720
until_shown window_shot "$E2E_WORK/now.ppm" "$LOOK" same "$E2E_WORK/menu.ppm" "$E2E_WORK/now.ppm" \
  || fail "back at 1280x720 the window does not show what it showed before"
resize_window 1596 880
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "1596x880 again: the menu not fitted"
fitted_click 640 $((MENU_TOP + 190))   # START
until_shown window_shot "$E2E_WORK/now.ppm" fitted_board || fail "1596x880: START where it is drawn did not deal"
convert "$E2E_WORK/now.ppm" "png:$E2E_SHOTS/board-1596x880.png"
fitted_click 700 400 3                 # the right button: the menu over the game
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "1596x880: the right button did not open the menu"
resize_window 796 880
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "796x880: the menu not fitted and centred"
convert "$E2E_WORK/now.ppm" "png:$E2E_SHOTS/menu-796x880.png"
fitted_click 640 $((MENU_TOP + 270))   # CONTINUE
until_shown window_shot "$E2E_WORK/now.ppm" fitted_board || fail "796x880: CONTINUE where it is drawn did not return to the game"
press Escape
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "796x880: Escape did not open the menu"
press Escape
wait_for_exit 100 || fail "the game did not end cleanly"

# ---- under openbox: a 2560x1440 window asked on the 1920x1080 desktop opens at the largest 16:9
# size that fits it with its frame; the game keeps laying out at 2560x1440.
start_window_manager || fail "openbox did not start"
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 2560x1440\n' >"${E2E_GAME_DIR}Vesperine.prefs"
start_game /LOG
wait_for_window
xdotool windowactivate --sync "$GAME_WINDOW"
read -r WIN_W WIN_H < <(xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
read -r left right top bottom < <(xprop -id "$GAME_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
[ $((WIN_W + left + right)) -le 1920 ] && [ $((WIN_H + top + bottom)) -le 1080 ] && [ $((WIN_H + top + bottom)) -gt 1070 ] \
  && [ $((WIN_W * 9 / 16 - WIN_H)) -ge -1 ] && [ $((WIN_W * 9 / 16 - WIN_H)) -le 1 ] \
  || fail "the window is ${WIN_W}x${WIN_H} with its frame $left $right $top $bottom: not the largest 16:9 inside 1920x1080"
game_log | grep -q $'^Screenwidth:\t\t2560$' || fail "the game does not lay out at 2560 pixels wide"
big_menu_top=$(( (1440 - MENU_H) / 2 ))
until_true eval 'window_shot "$E2E_WORK/now.ppm"; fitted_panel_shows 1280 $((big_menu_top + 600)) 2560 1440 || { press space; false; }' \
  || fail "no menu in the window kept inside the desktop"
convert "$E2E_WORK/now.ppm" "png:$E2E_SHOTS/menu-2560x1440-kept-inside.png"
window_click $(fitted_point "$WIN_W" "$WIN_H" 1280 $((big_menu_top + 190)) 2560 1440)   # START
until_true eval 'window_shot "$E2E_WORK/now.ppm"; ! fitted_panel_shows 1280 $((big_menu_top + 600)) 2560 1440' \
  || fail "START where it is drawn did not deal in the window kept inside the desktop"
wmctrl -c "Vesperine 1" || fail "wmctrl could not ask the window to close"
wait_for_exit 100 || fail "the game did not end cleanly after the close request"

# ---- a 3840x2160 desktop at 200 % (GDK_SCALE=2, no window manager): the 1280x720 window is 2560x1440
# of the screen's pixels, its texts drawn at twice their size carry more detail than the picture at
# scale 1 enlarged twice; resized, START answers where it is drawn. Full screen lays the game out at
# 1920x1080 and fills the screen.
start_x 3840x2160
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 1\nScreenMode = 1280x720\n' >"${E2E_GAME_DIR}Vesperine.prefs"
export GDK_SCALE=2
open_game
read -r WIN_W WIN_H < <(xwininfo -id "$GAME_WINDOW" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
[ "${WIN_W}x$WIN_H" = 2560x1440 ] || fail "at scale 2 the 1280x720 window is ${WIN_W}x$WIN_H"
until_true eval 'window_shot "$E2E_WORK/now.ppm"; fitted_menu || { press space; false; }' || fail "scale 2: no menu"
convert "$E2E_WORK/now.ppm" "png:$E2E_SHOTS/menu-scale2.png"
# Detail: what halving and doubling again takes away from the START row, at scale 2 and in the row
# of the scale-1 menu enlarged twice.
detail() {
  convert "$1" \( +clone -filter box -resize 50% -filter triangle -resize 200% \) -compose difference -composite \
    -colorspace gray -format "%[fx:int(mean * 100000)]" info:
}
convert "$E2E_WORK/menu.ppm" -crop "500x80+390+$((MENU_TOP + 150))" +repage -resize 200% "$E2E_WORK/enlarged.png"
convert "$E2E_WORK/now.ppm" -crop "1000x160+780+$(((MENU_TOP + 150) * 2))" +repage "$E2E_WORK/scaled.png"
sharp=$(detail "$E2E_WORK/scaled.png") enlarged=$(detail "$E2E_WORK/enlarged.png")
[ "$sharp" -gt $((enlarged * 3 / 2)) ] || fail "START at scale 2 carries no more detail ($sharp) than enlarged from scale 1 ($enlarged)"
resize_window 3192 1760
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "scale 2, resized: the menu not fitted and centred"
fitted_click 640 $((MENU_TOP + 190))   # START
until_shown window_shot "$E2E_WORK/now.ppm" fitted_board || fail "scale 2, resized: START where it is drawn did not deal"
press Escape
until_shown window_shot "$E2E_WORK/now.ppm" fitted_menu || fail "scale 2: Escape did not open the menu"
press Escape
wait_for_exit 100 || fail "the game at scale 2 did not end cleanly"

rm -f "$(save_dir)"Log*.log
printf '[Settings]\nLanguage = en_GB\nMusic = 0\nGameScreen = 0\nScreenMode = 1280x720\n' >"${E2E_GAME_DIR}Vesperine.prefs"
start_game /LOG
wait_for_window
wait_for_menu 1920 $(((540 - MENU_H / 2 + 600) * 2))
for line in ScreenWidth:$'\t\t'1920 ScreenHeight:$'\t\t'1080 Screenwidth:$'\t\t'1920 Screenheight:$'\t\t'1080; do
  game_log | grep -qx "$line" || fail "the full-screen log lacks \"$line\""
done
grab root "$E2E_WORK/full.ppm"
for at in "4 4" "3835 4" "4 2155" "3835 2155"; do
  [ "$(pixel "$E2E_WORK/full.ppm" $at)" != 0,0,0 ] || fail "full screen at scale 2 does not fill the screen at $at"
done
convert "$E2E_WORK/full.ppm" -resize 25% "png:$E2E_SHOTS/fullscreen-scale2-quarter.png"
press Escape
wait_for_exit 100 || fail "full screen at scale 2 did not end cleanly"
keep_shots "$E2E_SHOTS"/*.png
echo "window sizes: OK"
