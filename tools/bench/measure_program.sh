#!/usr/bin/env bash
# Measures the real program on a private X server (800 x 600 x 16): the
# time until its window appears, its CPU share over 10 s on the title and
# in a game, and its peak memory.
# Usage: measure_program.sh RUN_DIR
set -euo pipefail
run_dir=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/quadrimo-measure-XXXXXX)
game_pid=
xvfb_pid=
trap '[ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true; stop_x; rm -rf "$work"' EXIT
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

start_x 800 600 16
mkdir -p "$work/home"
started=$(date +%s%N)
(cd "$run_dir" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" SDL_AUDIODRIVER=disk \
   SDL_DISKAUDIOFILE=/dev/null ./quadrimo >/dev/null 2>&1) &
game_pid=$!
wait_for 20 xdotool search --onlyvisible --name '^Quadrimo$' >/dev/null || fail "no window"
window_ms=$((($(date +%s%N) - started) / 1000000))
click 50 50
sleep 2
title_cpu=$(cpu_share 10)
click 399 235
sleep 2
game_cpu=$(cpu_share 10)
peak_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$game_pid/status")
echo "window shown after: $window_ms ms"
echo "CPU share, title, 10 s: $title_cpu % of one core"
echo "CPU share, game, 10 s: $game_cpu % of one core"
echo "peak memory (VmHWM): $((peak_kb / 1024)) MiB"
