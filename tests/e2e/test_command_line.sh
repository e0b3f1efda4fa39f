#!/usr/bin/env bash
# The built game's command line, as a Linux program's: --help and -h print the usage, --version the
# name and version, on standard output with status 0; an unknown option gets a line naming it on
# standard error, status 2 (every answer's lines and stream: the command line's tests). None of them
# reaches for the display: DISPLAY names one that nobody serves, and the start that does reach for it
# ends with its message and status 1. GTK's own options stay GTK's (played with in test_faults.sh).
source "$(dirname "$0")/lib.sh" "$1"

make_game_dir
version=$(sed -n 's/^project(Vesperine VERSION \([0-9.]*\) .*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
usage="Usage: vesperine [/LOG] [GTK option...]"

# expect STATUS STDOUT STDERR PARAMETER...: the status, and the first line of each output ("" none).
expect() {
  local status=$1 out=$2 err=$3
  shift 3
  (cd "$E2E_WORK" && DISPLAY=:65000 HOME="$E2E_HOME" SDL_AUDIODRIVER=dummy timeout 60 "${E2E_GAME_DIR}vesperine" "$@" \
     >"$E2E_WORK/out" 2>"$E2E_WORK/err")
  local got=$?
  [ "$got" -eq "$status" ] || fail "vesperine $*: status $got, not $status ($(head -c 300 "$E2E_WORK/err"))"
  [ "$(head -n1 "$E2E_WORK/out")" = "$out" ] || fail "vesperine $*: standard output: $(head -n3 "$E2E_WORK/out")"
  [ "$(head -n1 "$E2E_WORK/err")" = "$err" ] || fail "vesperine $*: standard error: $(head -n3 "$E2E_WORK/err")"
}

# The usage names where the preferences, logs and screenshots go: the per-user directory, or (at
# the end) the game's own when it holds preferences.
expect 0 "$usage" "" --help
grep -qxF "  $E2E_HOME/.Quenmarsh/Vesperine/" "$E2E_WORK/out" || fail "the usage does not name the per-user directory"
expect 0 "Vesperine $version" "" --version
expect 2 "" "vesperine: unknown option '--sync'" /LOG --sync  # GTK 2's; GTK 3 knows it no more
# GTK's options are taken out before the game reads its own: none of them is unknown.
expect 0 "Vesperine $version" "" --display=:65001 --version
expect 0 "$usage" "" --g-fatal-warnings --name Vesperine --class Game -h
expect 2 "" "vesperine: unknown option '--bogus'" --display :65001 --bogus
: >"${E2E_GAME_DIR}Vesperine.prefs"
expect 0 "$usage" "" --help
grep -qxF "  $E2E_GAME_DIR" "$E2E_WORK/out" || fail "the usage does not name the game directory holding preferences"
# The control: a start without them reaches for the display, and says so, naming the one asked for.
expect 1 "" 'vesperine: cannot open the X display ":65000"' /LOG
expect 1 "" 'vesperine: cannot open the X display ":65002"' /LOG --display=:65002
echo "command line: help, version and wrong parameters answered without a display"
