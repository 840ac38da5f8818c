#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian and checks what it holds,
# then unpacks it into a temporary folder (as dpkg-deb -x does for a player
# without root) and starts the program from there on a private X server.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/quadrimo-package-XXXXXX)
# shellcheck source=x_session.sh
source "$here/x_session.sh"
trap end_session EXIT

cmake --build "$build" --target package >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/quadrimo_${version}_$(dpkg --print-architecture).deb"
[ -s "$deb" ] || fail "no package $deb"

command -v lintian >/dev/null || fail "lintian is not installed (package lintian)"
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log" >&2; fail "lintian reports errors"; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1 libstdc++6 fonts-liberation2 fonts-dejavu-core; do
  [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
# Without a CHM viewer the help needs a browser: one of them is recommended.
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *"xchm | kchmviewer | www-browser"* ]] || fail "no help viewer or browser recommended: $recommends"

root="$work/unpacked"
dpkg-deb -x "$deb" "$root"
app_id=example.zentrio.Quadrimo
for file in usr/games/quadrimo usr/share/quadrimo/company.bmp usr/share/quadrimo/music.wav \
            "usr/share/quadrimo/Quadrimo help.chm" usr/share/applications/$app_id.desktop \
            usr/share/metainfo/$app_id.metainfo.xml usr/share/icons/hicolor/48x48/apps/$app_id.png \
            usr/share/icons/hicolor/256x256/apps/$app_id.png usr/share/doc/quadrimo/copyright \
            usr/share/man/man6/quadrimo.6.gz; do
  [ -s "$root/$file" ] || fail "the package lacks $file"
done
# Every language: its catalogue where gettext looks, its pictures and help in the data folder.
listing=$(dpkg-deb -c "$deb")
for code in de es fr it nl pl pt_BR ru; do
  for file in "usr/share/locale/$code/LC_MESSAGES/quadrimo.mo" "usr/share/quadrimo/locale/$code/field.bmp" \
              "usr/share/quadrimo/locale/$code/help/index.html" "usr/share/quadrimo/locale/$code/Quadrimo help.chm"; do
    grep -qF "./$file" <<<"$listing" || fail "the package lacks $file"
  done
  grep -q "^Comment\[$code\]=" "$root/usr/share/applications/$app_id.desktop" || fail "the desktop entry lacks $code"
done

# The unpacked program, started from an unrelated folder, finds its data
# beside itself, opens its window and ends cleanly when asked to quit.
mkdir -p "$work/elsewhere" "$work/home"
start_x 800 600 24
(cd "$work/elsewhere" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=dummy \
   "$root/usr/games/quadrimo" >"$work/game.log" 2>&1) &
game_pid=$!
wait_for 20 xdotool search --name '^Quadrimo$' >/dev/null || { cat "$work/game.log" >&2; fail "no window appeared"; }
[ "$(readlink "/proc/$game_pid/cwd")" = "$(cd "$root/usr/share/quadrimo" && pwd -P)" ] \
  || fail "the program did not change into its unpacked data folder"
sleep 1
kill -TERM "$game_pid"
status=0
wait "$game_pid" || status=$?
game_pid=
[ "$status" -eq 0 ] || { cat "$work/game.log" >&2; fail "exit code $status after a quit request"; }
[ -s "$work/home/data/Zentrio/Quadrimo/settings.reg" ] || fail "settings were not written on exit"

# In Russian, the unpacked program finds its catalogue beside itself and
# shows the Russian menu.
(cd "$work/elsewhere" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=dummy \
   "$root/usr/games/quadrimo" --language ru >"$work/game.log" 2>&1) &
game_pid=$!
wait_for 20 xdotool search --name '^Quadrimo$' >/dev/null || { cat "$work/game.log" >&2; fail "no window appeared"; }
sleep 1
click 50 50
wait_for 10 region_matches 358 216 83 38 "$root/usr/share/quadrimo/locale/ru/start.bmp" 0 0 \
  || fail "the title is not in Russian"
grep -q "quadrimo: no translation\|texts stay English" "$work/game.log" && { cat "$work/game.log" >&2; fail "the catalogue was not found"; }
kill -TERM "$game_pid"
wait "$game_pid" || true
game_pid=
echo "package $(basename "$deb") passes lintian and runs unpacked"
