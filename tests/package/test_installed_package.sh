#!/usr/bin/env bash
# The Debian package of the build, as a player's machine gets it: built with CPack, its desktop
# entry, metainfo, manual page and icons validated, installed with apt-get, the installed game
# started from another directory under Xvfb up to the menu and ended with Escape, its preferences
# found in the per-user directory and nothing written beside the game, then purged without a file
# left behind. Installing changes the system, so it happens only as root (otherwise the test ends
# after the validation with 77, skipped).
source "$(dirname "$0")/../e2e/lib.sh" "$1"

(cd "$E2E_BUILD" && rm -f vesperine_*.deb && cpack -G DEB >"$E2E_WORK/cpack.log" 2>&1) \
  || { cat "$E2E_WORK/cpack.log"; fail "cpack"; }
deb=$(ls "$E2E_BUILD"/vesperine_*_amd64.deb)

# What the package lays out validates.
dpkg-deb -x "$deb" "$E2E_WORK/root"
share="$E2E_WORK/root/usr/share"
desktop-file-validate "$share/applications/com.quenmarsh.Vesperine.desktop" || fail "desktop entry"
appstreamcli validate --no-net --explain "$share/metainfo/com.quenmarsh.Vesperine.metainfo.xml" || fail "metainfo"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man6/vesperine.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page: $warnings"
# The icon at every size desktops ask for, from the menus' 16 pixels up (the small ones' own design:
# the artwork tests).
for pixels in 16 24 32 48 64 128 256 512; do
  [ "$(identify -format '%w %h' "$share/icons/hicolor/${pixels}x${pixels}/apps/com.quenmarsh.Vesperine.png")" = "$pixels $pixels" ] \
    || fail "icon of $pixels pixels"
done

[ "$(id -u)" -eq 0 ] || { echo "not root: the package was not installed"; exit 77; }
if dpkg-query -W vesperine >/dev/null 2>&1; then apt-get purge -y -q -o DPkg::Lock::Timeout=300 vesperine >/dev/null; fi
DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=300 "$deb" >"$E2E_WORK/apt.log" 2>&1 \
  || { cat "$E2E_WORK/apt.log"; fail "apt-get install"; }
installed=$(dpkg -L vesperine)
[ "$(readlink /usr/games/vesperine)" = ../lib/games/vesperine/vesperine ] || fail "/usr/games/vesperine is not the relative link"

start_x 1280x720
E2E_GAME=/usr/games/vesperine
E2E_KIND=0
menu_game /LOG
quits_by "Escape at the menu did not end the installed game" press Escape
grep -q '^GameScreen = 0$' "$E2E_HOME/.Quenmarsh/Vesperine/Vesperine.prefs" || fail "no preferences in the per-user directory"
ls "$E2E_HOME"/.Quenmarsh/Vesperine/Log*.log >/dev/null || fail "no log in the per-user directory"
[ "$(ls /usr/lib/games/vesperine)" = "$(printf 'VesperineData.pack\nVesperineLanguages.pack\nvesperine')" ] \
  || fail "the game directory changed: $(ls /usr/lib/games/vesperine)"

apt-get purge -y -q -o DPkg::Lock::Timeout=300 vesperine >"$E2E_WORK/apt.log" 2>&1 || { cat "$E2E_WORK/apt.log"; fail "apt-get purge"; }
left=$(grep -e /vesperine -e /com.quenmarsh.Vesperine <<<"$installed" |
  while read -r path; do [ -e "$path" ] || [ -L "$path" ] && echo "$path"; done)
[ -z "$left" ] || fail "left after purge: $left"
echo "package: installed, played up to the menu, purged"
