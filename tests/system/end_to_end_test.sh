#!/usr/bin/env bash
# Plays the real program on a private X server with real input from
# xdotool and checks what it shows, what it stores and what it sounds.
# Usage: end_to_end_test.sh RUN_DIR full   (800 x 600 x 16: every screen)
#        end_to_end_test.sh RUN_DIR scaled (1920 x 1080 x 24: letterboxed)
#        end_to_end_test.sh RUN_DIR window (1920 x 1080 x 24: window and full screen)
#        end_to_end_test.sh RUN_DIR keys   (800 x 600 x 16: pause and keyboard play)
#        end_to_end_test.sh RUN_DIR hostile (a FIFO settings file, a held lock)
#        end_to_end_test.sh RUN_DIR lost   (800 x 600 x 16: the X server dies under the name panel)
#        end_to_end_test.sh RUN_DIR managers (1920 x 1080 x 24 under i3 and openbox)
#        end_to_end_test.sh RUN_DIR wayland (1920 x 1080 under a headless sway)
#        end_to_end_test.sh RUN_DIR motion  (800 x 600 x 16: pictures between ticks)
set -euo pipefail
run_dir=$(cd "$1" && pwd)
mode=${2:-full}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d /tmp/quadrimo-e2e-XXXXXX)
# shellcheck source=x_session.sh
source "$here/x_session.sh"
trap end_session EXIT
source "$here/game_checks.sh"
source "$here/keyboard_checks.sh"
source "$here/hostile_checks.sh"
source "$here/display_loss_checks.sh"
source "$here/motion_checks.sh"

[ -x "$run_dir/quadrimo" ] || fail "no program in $run_dir"
[ -s "$run_dir/company.bmp" ] || fail "no generated pictures in $run_dir"

# A private home, and stand-ins for the help viewer and the browser that
# record how they were started.
mkdir -p "$work/home" "$work/bin"
for tool in xchm xdg-open; do
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/%s.args"\n' "$work" "$tool" >"$work/bin/$tool"
  chmod +x "$work/bin/$tool"
done
settings="$work/home/data/Zentrio/Quadrimo/settings.reg"
audio="$work/audio.raw"

start_game() {
  (cd "$run_dir" && exec env HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
     XDG_CONFIG_HOME="$work/home/config" PATH="$work/bin:$PATH" \
     SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" ./quadrimo "$@" >"$work/game.log" 2>&1) &
  game_pid=$!
  wait_for 20 xdotool search --name '^Quadrimo$' >/dev/null \
    || { cat "$work/game.log" >&2; fail "the game's window did not appear"; }
}

# finish_game: waits for the program to end by itself; checks exit code 0.
finish_game() {
  wait_for 10 bash -c "! kill -0 $game_pid 2>/dev/null" || fail "the program did not end after Exit"
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  [ "$status" -eq 0 ] || { cat "$work/game.log" >&2; fail "exit code $status"; }
}

audio_mark() { stat -c %s "$audio" 2>/dev/null || echo 0; }

reference_colours
if [ "$mode" = full ]; then
  start_x 800 600 16
  start_game
  play_every_screen
elif [ "$mode" = window ]; then
  source "$here/window_checks.sh"
  start_x 1920 1080 24
  play_window_modes
elif [ "$mode" = keys ]; then
  start_x 800 600 16
  start_game
  play_with_keys
elif [ "$mode" = managers ]; then
  command -v i3 >/dev/null && command -v openbox >/dev/null || skip "i3 or openbox is not installed"
  source "$here/window_checks.sh"
  source "$here/manager_checks.sh"
  start_x 1920 1080 24
  start_window_manager i3
  play_away_on_tiling_manager
  start_window_manager openbox
  play_away_on_stacking_manager
  play_maximised_on_stacking_manager
elif [ "$mode" = wayland ]; then
  source "$here/window_checks.sh"
  source "$here/wayland_session.sh"
  source "$here/wayland_checks.sh"
  start_wayland 1920 1080
  play_on_wayland
elif [ "$mode" = hostile ]; then
  start_x 800 600 16
  play_hostile_starts
elif [ "$mode" = lost ]; then
  start_x 800 600 16
  play_until_the_display_dies
elif [ "$mode" = motion ]; then
  start_x 800 600 16
  play_motion
else
  start_x 1920 1080 24
  start_game
  play_letterboxed
fi
echo "end-to-end ($mode) passed"
