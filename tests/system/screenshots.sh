#!/usr/bin/env bash
# Takes the pictures shown in the README and the AppStream metadata: the
# title menu and a game in progress, from the real program on a private X
# server, with the end-to-end test's own tools; then, for the translations,
# the title, a game, the end-of-game panel and the high-score panel in
# German and in Russian.
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

# play LANGUAGE NAME_SUFFIX: starts the game in a language ("" for the
# desktop's, here English) with a fresh home, takes the title and a game in
# progress, and leaves the game running.
play() {
  local language=$1 suffix=$2 pictures=$run_dir
  [ -z "$language" ] || pictures=$run_dir/locale/$language
  rm -rf "$work/home"
  mkdir -p "$work/home"
  (cd "$run_dir" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=dummy \
     ./quadrimo ${language:+--language "$language"} >"$work/game.log" 2>&1) &
  game_pid=$!
  wait_for 20 xdotool search --name '^Quadrimo$' >/dev/null || { cat "$work/game.log" >&2; fail "no window appeared"; }

  # Past the splash to the title, with the pointer on Start.
  sleep 1
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not follow the splash"
  move_to 400 235
  sleep 0.5
  cp "$(screen_shot title)" "$out/title$suffix.png"

  # A game: a few turns, then the pointer on a group so its outline shows.
  click 400 235
  wait_for 10 region_matches 0 0 150 40 "$pictures/field.bmp" 0 0 || fail "the game screen did not open"
  sleep 2.5
  for group in "280 220 1" "400 340 3" "340 460 1" "460 280 3" "220 400 1"; do
    read -r x y button <<<"$group"
    click "$x" "$y" "$button"
    sleep 1.5
  done
  move_to 400 400
  sleep 1
  cp "$(screen_shot game)" "$out/screenshot$suffix.png"
}

# finish LANGUAGE: waits for the time to run out (about a minute) and takes
# the end-of-game panel, then from the title the high-score panel.
finish() {
  local language=$1 pictures=$run_dir/locale/$1
  # The game-over label stands at y 279 above a tip, at y 260 above the name entry.
  over_tip() { region_matches 359 279 81 12 "$pictures/gameover.bmp" 0 0; }
  over_name() { region_matches 359 260 81 12 "$pictures/gameover.bmp" 0 0; }
  ended() { over_tip || over_name; }
  wait_for 150 ended || fail "the game in $language did not end"
  sleep 1
  cp "$(screen_shot gameover)" "$out/gameover-$language.png"
  if over_tip; then click 400 415; else click 400 446; fi
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "OK did not lead back to the title"
  click 400 307
  move_to 100 580
  sleep 1
  cp "$(screen_shot highscores)" "$out/highscores-$language.png"
  kill "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=
}

play "" ""
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
echo "wrote $out/title.png and $out/screenshot.png"
for language in de ru; do
  play "$language" "-$language"
  finish "$language"
  echo "wrote $out/{title,screenshot,gameover,highscores}-$language.png"
done
