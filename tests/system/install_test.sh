#!/usr/bin/env bash
# Installs the game into a temporary prefix, checks what a packager expects
# there, then starts the installed program headless from an unrelated folder
# and checks that it found its data folder and ended cleanly.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/quadrimo-install-XXXXXX)
pid=
trap 'if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null
data="$prefix/share/quadrimo"
app_id=example.zentrio.Quadrimo

[ -x "$prefix/games/quadrimo" ] || fail "no executable in games"
for file in company.bmp title.bmp field.bmp blocks.bmp start.wav music.wav "Quadrimo help.chm"; do
  [ -s "$data/$file" ] || fail "missing $file in share/quadrimo"
done
[ -d "$data/help" ] || fail "missing the help folder in share/quadrimo"
for code in de ru; do
  for file in "share/locale/$code/LC_MESSAGES/quadrimo.mo" "share/quadrimo/locale/$code/start.bmp" \
              "share/quadrimo/locale/$code/help/index.html"; do
    [ -s "$prefix/$file" ] || fail "missing $file"
  done
done
[ ! -e "$data/locale/de/LC_MESSAGES" ] || fail "a catalogue was copied into the data folder"
[ ! -e "$data/quadrimo" ] || fail "the program was copied into the data folder"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null \
  || fail "metainfo does not validate"

png_size() {  # width and height from a PNG header
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 48 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ -s "$icon" ] || fail "missing ${size}x${size} icon"
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "icon $icon is $(png_size "$icon")"
done

# Start the installed program from elsewhere, with a private home.
mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$prefix/games/quadrimo" >"$work/game.log" 2>&1 &
pid=$!
expected=$(cd "$data" && pwd -P)
for _ in $(seq 100); do
  [ "$(readlink "/proc/$pid/cwd" 2>/dev/null || true)" = "$expected" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
now_in=$(readlink "/proc/$pid/cwd" 2>/dev/null || echo 'nothing: it ended')
[ "$now_in" = "$expected" ] || fail "the program did not change into its data folder (now in $now_in)"
sleep 1
kill -0 "$pid" 2>/dev/null || { cat "$work/game.log" >&2; fail "the program ended by itself"; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "exit code $status after a quit request"
grep -q '"hasSound"=hex:01' "$work/home/data/Zentrio/Quadrimo/settings.reg" \
  || fail "settings were not written on exit"

# The installed program finds its catalogues where they were installed.
HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$prefix/games/quadrimo" --language de >"$work/german.log" 2>&1 &
pid=$!
sleep 1
kill -TERM "$pid"
wait "$pid" || true
pid=
! grep -q "no translation\|texts stay English" "$work/german.log" || { cat "$work/german.log" >&2; fail "no German catalogue found"; }
echo "installed program ran from $PWD with its data in $expected"
