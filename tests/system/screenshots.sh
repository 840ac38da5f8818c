#!/usr/bin/env bash
# Takes the pictures shown in the README and the AppStream metadata: the
# title menu and a game in progress, from the real program on a private X
# server, with the end-to-end test's own tools.
# Usage: screenshots.sh RUN_DIR OUT_DIR [WIDTHxHEIGHT]   (default 800x600;
#        a larger screen shows the picture letterboxed, as players see it)
set -euo pipefail
run_dir=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
size=${3:-800x600}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/quadrimo-shots-XXXXXX)
# shellcheck source=x_session.sh
source "$here/x_session.sh"
trap end_session EXIT

[ -x "$run_dir/quadrimo" ] || fail "no program in $run_dir"
start_x "${size%x*}" "${size#*x}" 24
mkdir -p "$work/home"
(cd "$run_dir" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=dummy \
   ./quadrimo >"$work/game.log" 2>&1) &
game_pid=$!
wait_for 20 xdotool search --name '^Quadrimo$' >/dev/null || { cat "$work/game.log" >&2; fail "no window appeared"; }

# Past the splash to the title, with the pointer on Start.
sleep 1
click 50 50
wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not follow the splash"
move_to 400 235
sleep 0.5
cp "$(screen_shot title)" "$out/title.png"

# A game: a few turns, then the pointer on a group so its outline shows.
click 400 235
wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "the game screen did not open"
sleep 2.5
for group in "280 220 1" "400 340 3" "340 460 1" "460 280 3" "220 400 1"; do
  read -r x y button <<<"$group"
  click "$x" "$y" "$button"
  sleep 1.5
done
move_to 400 400
sleep 1
cp "$(screen_shot game)" "$out/screenshot.png"
echo "wrote $out/title.png and $out/screenshot.png"
