#!/usr/bin/env bash
# Measures the real program on a private X server of the given size: the
# time until its window appears, its CPU share (its own user + system time)
# over 10 s on the still title, on the title with the mouse moving across
# it, in a game left alone and in a scripted game that turns a group about
# every 0.35 s, its peak and private memory, and the --frame-stats figures
# of the scripted game (a run of its own).
# Usage: measure_program.sh RUN_DIR [WIDTH HEIGHT DEPTH [GAME OPTION...]]
# Prints one "name: value" line per figure.
set -euo pipefail
run_dir=$(cd "$1" && pwd)
width=${2:-800} height=${3:-600} depth=${4:-16}
game_options=("${@:5}")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/quadrimo-measure-XXXXXX)
game_pid=
xvfb_pid=
helper_pid=
stop_helper() {
  [ -z "$helper_pid" ] || kill "$helper_pid" 2>/dev/null || true
  [ -z "$helper_pid" ] || wait "$helper_pid" 2>/dev/null || true
  helper_pid=
}
stop_game() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; wait "$game_pid" 2>/dev/null || true; fi
  game_pid=
}
trap 'stop_helper; stop_game; stop_x; rm -rf "$work"' EXIT
source "$here/../../tests/system/x_session.sh"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$game_pid/stat"; }
# cpu_share SECONDS: percent of one core used over that many seconds.
cpu_share() {
  local before after
  before=$(cpu_ticks)
  sleep "$1"
  after=$(cpu_ticks)
  awk -v ticks=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$1" 'BEGIN { printf "%.1f", 100 * ticks / hz / s }'
}
# Moves the mouse back and forth across the title's buttons until killed.
move_mouse() {
  local x
  while :; do
    for x in 300 350 400 450 500 450 400 350; do
      xdotool mousemove "$(screen_x "$x")" "$(screen_y 330)"
      sleep 0.05
    done
  done
}
# Plays until killed: points at a group and turns it left or right in turn,
# every 0.30 to 0.39 s, so that input comes at every moment of a tick.
play_script() {
  local i=0
  while :; do
    xdotool mousemove "$(screen_x $((220 + 60 * (i * 3 % 7))))" "$(screen_y $((160 + 60 * (i * 5 % 7))))" \
      click $((i % 2 == 0 ? 1 : 3))
    sleep "0.3$((RANDOM % 10))"
    i=$((i + 1))
  done
}
# start_game [OPTION...]: the program in a fresh home; its standard error
# goes to $work/game.err.
start_game() {
  rm -rf "$work/home"
  mkdir -p "$work/home"
  (cd "$run_dir" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=disk \
     SDL_DISKAUDIOFILE=/dev/null ./quadrimo "${game_options[@]}" "$@" >/dev/null 2>"$work/game.err") &
  game_pid=$!
  wait_for 20 xdotool search --onlyvisible --name '^Quadrimo$' >/dev/null || fail "no window"
}

start_x "$width" "$height" "$depth"
started=$(date +%s%N)
start_game
window_ms=$((($(date +%s%N) - started) / 1000000))
click 50 50
move_to 790 590
sleep 2
title_cpu=$(cpu_share 10)
move_mouse &
helper_pid=$!
moving_cpu=$(cpu_share 10)
stop_helper
click 399 235
move_to 790 590
sleep 2
game_cpu=$(cpu_share 10)
peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$game_pid/status")
private_kb=$(awk '/^Private_(Clean|Dirty)/ { sum += $2 } END { print sum }' "/proc/$game_pid/smaps_rollup")
stop_game

# Revisions older than the figures play the script all the same.
stats_option=()
(cd "$run_dir" && ./quadrimo --help | grep -q -- --frame-stats) && stats_option=(--frame-stats)
start_game "${stats_option[@]}"
sleep 1
click 50 50
click 399 235
sleep 1
play_script &
helper_pid=$!
playing_cpu=$(cpu_share 10)
stop_helper
xdotool key ctrl+q
wait_for 10 bash -c "! kill -0 $game_pid 2>/dev/null" || fail "the game did not end on Ctrl+Q"
game_pid=

echo "screen: ${width} x ${height} x ${depth}${game_options[*]:+ (${game_options[*]})}"
echo "window shown after: $window_ms ms"
echo "CPU share, title still: $title_cpu %"
echo "CPU share, title, mouse moving: $moving_cpu %"
echo "CPU share, game left alone: $game_cpu %"
echo "CPU share, game played: $playing_cpu %"
echo "peak memory (VmHWM): $((peak_kb / 1024)) MiB"
echo "private memory: $((private_kb / 1024)) MiB"
[ ${#stats_option[@]} -eq 0 ] || grep '^frame stats: ' "$work/game.err" | sed 's/^frame stats: /scripted game: /' \
  || fail "no frame stats"
