#!/usr/bin/env bash
# The real game against what goes wrong on players' machines: GTK's own options on the command
# line, no X display, no audio device, broken or missing packs, a save directory missing or
# read-only, no room for the preferences, no HOME. Each ends with its message and no crash, or plays
# on; nothing is lost. (A window size no window can have: the start-up's and the window's tests.)
source "$(dirname "$0")/lib.sh" "$1"

start_x 1280x720
make_game_dir
pack_tool="$E2E_BUILD/vesperine-pack"
data_pack="$E2E_BUILD/VesperineData.pack"
user_dir="$E2E_HOME/.Quenmarsh/Vesperine/"

# Starts GAME with /LOG from DIR with the environment changes given (env's syntax). FILE_LIMIT caps
# the size of the files it writes (ulimit -f), SIGXFSZ ignored: a write beyond it fails with EFBIG.
# AS_USER: a command that runs it as another user.
AS_USER=()
launch() {
  (cd "$1" && { [ -z "${FILE_LIMIT:-}" ] || { trap '' XFSZ && ulimit -f "$FILE_LIMIT"; }; } &&
     exec "${AS_USER[@]}" env "${@:3}" SDL_AUDIODRIVER="${AUDIO:-dummy}" timeout 120 "$2" /LOG >"$E2E_WORK/game.out" 2>&1) &
  GAME_PID=$!
}

# The game (started by the command given after the label, if any) shows its window, Escape ends it
# (logo, title, board, menu: four presses) with status 0.
plays_and_quits() {
  "${@:2}"
  wait_for_window
  for _ in $(seq 1 12); do kill -0 "$GAME_PID" 2>/dev/null && press Escape && sleep 0.3 || break; done
  wait_for_exit 100 || fail "$1: exit status $?"
}

# A pack whose failure is the named entry: its FAILED line, nothing loaded after it, the box, whose OK
# ends the game with status 1.
expect_asset_failure() {
  ln -sfn "$1" "$E2E_GAME_DIR/VesperineData.pack"
  rm -f "$user_dir"Log*.log "$user_dir/Vesperine.prefs"
  start_game /LOG
  wait_for_window '^Vesperine::'
  xdotool windowfocus --sync "$GAME_WINDOW" 2>/dev/null; press Return
  wait_for_exit 100
  [ $? -eq 1 ] || fail "without $2: the box's OK did not end the game with status 1"
  game_log | grep -qxF "Load asset ($2):"$'\t\t'"FAILED" || fail "no FAILED line for $2"
  game_log | sed -n '/FAILED$/,$p' | tail -n +2 | grep -q '^Load asset' && fail "something loaded after $2 failed"
  [ ! -e "$user_dir/Vesperine.prefs" ] || fail "preferences saved after the failure of $2"
}

# --- GTK's options are GTK's, taken out before the game reads its own: "/LOG" is the first of those.
# GTK warns of nothing.
for options in "--g-fatal-warnings" "--display $DISPLAY /LOG --g-fatal-warnings"; do
  rm -rf "$user_dir"
  # shellcheck disable=SC2086
  plays_and_quits "vesperine $options" start_game $options
  logs=$(ls "$user_dir" | grep -c '^Log ' || true)
  [ "$logs" -eq "$([[ $options == */LOG* ]] && echo 1 || echo 0)" ] || fail "vesperine $options: $logs logs"
done

# --- No X display: a plain message on standard error, exit status 1.
out=$(cd "$E2E_WORK" && env -u DISPLAY HOME="$E2E_HOME" SDL_AUDIODRIVER=dummy timeout 60 "$E2E_GAME_DIR/vesperine" 2>&1)
[ $? -eq 1 ] || fail "without a display: exit status not 1"
grep -q "no X display" <<<"$out" || fail "no word of the missing display: $out"

# --- No audio device (SDL told to use a driver that does not exist): the game plays silently and M
# still switches the music. (M starting it again: the main loop's tests; the music heard: the window
# kinds'.)
rm -rf "$user_dir"
AUDIO=nosuchdevice launch "$E2E_WORK" "$E2E_GAME_DIR/vesperine" HOME="$E2E_HOME"
wait_for_window; capture_intro logo; press m  # once the main loop reads the keys
plays_and_quits "without audio"
game_log | grep -qx $'InitSound:\t\tNO DEVICE, PLAYING SILENTLY' || fail "no word of the missing sound device"
grep -qx 'Music = 0' "$user_dir/Vesperine.prefs" || fail "without audio: M did not switch the music off"

# --- Data pack missing, and without each one of its entries in turn (a pack cut short lists the
# entries before the cut: the reader's tests); without a sound effect the game plays on.
expect_asset_failure "$E2E_WORK/no such.pack" music.ogg
mkdir -p "$E2E_WORK/entries"
"$pack_tool" list "$data_pack" | cut -f1 >"$E2E_WORK/names"
[ "$(wc -l <"$E2E_WORK/names")" -eq 75 ] || fail "the data pack should hold 75 entries"
while IFS= read -r name; do
  "$pack_tool" extract "$data_pack" "$name" "$E2E_WORK/entries/$name" >/dev/null || fail "extract $name"
done <"$E2E_WORK/names"
while IFS= read -r missing; do
  args=()
  while IFS= read -r name; do [ "$name" = "$missing" ] || args+=("$name=$E2E_WORK/entries/$name"); done <"$E2E_WORK/names"
  "$pack_tool" create --level fast "$E2E_WORK/without.pack" "${args[@]}" >/dev/null || fail "pack without $missing"
  if [[ "$missing" == *.ogg && "$missing" != music.ogg ]]; then  # a sound effect: the game plays on without it
    ln -sfn "$E2E_WORK/without.pack" "$E2E_GAME_DIR/VesperineData.pack"
    rm -f "$user_dir"Log*.log
    plays_and_quits "without $missing" start_game /LOG
    game_log | grep -qxF "Load asset ($missing):"$'\t\t'"MISSING, PLAYING WITHOUT IT" || fail "no line for the missing $missing"
  else
    expect_asset_failure "$E2E_WORK/without.pack" "$missing"
  fi
done <"$E2E_WORK/names"
ln -sfn "$data_pack" "$E2E_GAME_DIR/VesperineData.pack"

# --- Language pack missing, empty, not a zip: the game plays on without words and saves.
for kind in missing empty notzip; do
  rm -rf "$user_dir" "$E2E_GAME_DIR/VesperineLanguages.pack"
  [ $kind = empty ] && : >"$E2E_GAME_DIR/VesperineLanguages.pack"
  [ $kind = notzip ] && head -c 4000 "$data_pack" >"$E2E_GAME_DIR/VesperineLanguages.pack"
  plays_and_quits "language pack $kind" start_game /LOG
  game_log | grep -qx $'Load language (en_GB):\t\tFAILED' || fail "language pack $kind: no FAILED language line"
  [ -s "$user_dir/Vesperine.prefs" ] || fail "language pack $kind: preferences not saved"
done
ln -sfn "$E2E_BUILD/VesperineLanguages.pack" "$E2E_GAME_DIR/VesperineLanguages.pack"

# --- A save directory that cannot be made: the game plays as usual and ends normally.
: >"$E2E_WORK/a file"
plays_and_quits "save directory missing" launch "$E2E_WORK" "$E2E_GAME_DIR/vesperine" HOME="$E2E_WORK/a file/home"

# --- A save directory that cannot be written: no log, no preferences, no crash. Permission bits
# stop none of root's writes (CI runs as root): there it is a read-only mount.
rm -rf "$user_dir" && mkdir -p "$user_dir"
if [ "$(id -u)" -eq 0 ]; then
  mount -t tmpfs -o ro,size=1m tmpfs "$user_dir" || fail "no read-only mount"
  trap 'status=$?; umount "$user_dir"; (exit $status); e2e_cleanup' EXIT
else
  chmod a-w "$user_dir"
fi
plays_and_quits "read-only save directory" start_game /LOG

# --- The new preferences cannot be written (a file-size limit: the write fails with EFBIG, as on a
# full disk): the game ends normally, the old file survives byte for byte, no temporary file is
# left. The file here lacks the game's own header line, so any save would change it.
printf '[Settings]\nLanguage = de_DE\nMusic = 1\nGameScreen = 0\nScreenMode = 1280x720\n' |
  tee "${E2E_GAME_DIR}Vesperine.prefs" >"$E2E_WORK/prefs.before"
FILE_LIMIT=0 launch "$E2E_WORK" "$E2E_GAME_DIR/vesperine" HOME="$E2E_HOME"
plays_and_quits "no room for the preferences"
cmp -s "${E2E_GAME_DIR}Vesperine.prefs" "$E2E_WORK/prefs.before" || fail "no room: the old preferences were damaged"
ls "$E2E_GAME_DIR" | grep -q '^Vesperine\.prefs\.' && fail "no room: a temporary file was left"
# --- HOME unset or empty: the home of the player's password entry, as GLib and the C library find
# it, never the directory the game was started from. Run as a plain user, nobody (home /nonexistent,
# where nothing can be made): preferences in the game directory bring the log there.
if [ "$(id -u)" -eq 0 ]; then
  printf '[Settings]\nGameScreen = 1\n' >"${E2E_GAME_DIR}Vesperine.prefs"
  mkdir -p "$E2E_WORK/cwd"
  chmod a+x "$E2E_WORK" && hand_game_to nobody && chown nobody "$E2E_WORK/cwd"
  AS_USER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  for home in "-u HOME" "HOME="; do
    rm -f "$E2E_GAME_DIR"/Log*.log
    # shellcheck disable=SC2086
    plays_and_quits "HOME $home" launch "$E2E_WORK/cwd" "$E2E_GAME_DIR/vesperine" $home
    game_log | grep -qxF "UserDir:"$'\t\t'"$(getent passwd nobody | cut -d: -f6)/.Quenmarsh/Vesperine/" \
      || fail "HOME $home: not the password entry's home: $(game_log | grep UserDir)"
    [ -z "$(ls -A "$E2E_WORK/cwd")" ] || fail "HOME $home: written where the game was started"
  done
else
  echo "not root: HOME unset is not tried as another user"
fi
echo "all faults survived"
