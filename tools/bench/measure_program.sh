#!/usr/bin/env bash
# Measures the real program on a private X server of the given size: the
# time until its window appears, its CPU share (its own user + system time)
# over 10 s on the still title, on the title with the mouse moving across
# it, and in a game, and its peak and private memory.
# Usage: measure_program.sh RUN_DIR [WIDTH HEIGHT DEPTH]
# Prints one "name: value" line per figure.
set -euo pipefail
run_dir=$(cd "$1" && pwd)
width=${2:-800} height=${3:-600} depth=${4:-16}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/quadrimo-measure-XXXXXX)
game_pid=
xvfb_pid=
mover_pid=
trap '[ -z "$mover_pid" ] || kill "$mover_pid" 2>/dev/null || true
      if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; wait "$game_pid" 2>/dev/null || true; fi
      stop_x; rm -rf "$work"' EXIT
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

start_x "$width" "$height" "$depth"
mkdir -p "$work/home"
started=$(date +%s%N)
(cd "$run_dir" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=disk \
   SDL_DISKAUDIOFILE=/dev/null ./quadrimo >/dev/null 2>&1) &
game_pid=$!
wait_for 20 xdotool search --onlyvisible --name '^Quadrimo$' >/dev/null || fail "no window"
window_ms=$((($(date +%s%N) - started) / 1000000))
click 50 50
move_to 790 590
sleep 2
title_cpu=$(cpu_share 10)
move_mouse &
mover_pid=$!
moving_cpu=$(cpu_share 10)
kill "$mover_pid"
wait "$mover_pid" 2>/dev/null || true
mover_pid=
click 399 235
sleep 2
game_cpu=$(cpu_share 10)
peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$game_pid/status")
private_kb=$(awk '/^Private_(Clean|Dirty)/ { sum += $2 } END { print sum }' "/proc/$game_pid/smaps_rollup")
echo "screen: ${width} x ${height} x ${depth}"
echo "window shown after: $window_ms ms"
echo "CPU share, title still: $title_cpu %"
echo "CPU share, title, mouse moving: $moving_cpu %"
echo "CPU share, game: $game_cpu %"
echo "peak memory (VmHWM): $((peak_kb / 1024)) MiB"
echo "private memory: $((private_kb / 1024)) MiB"
