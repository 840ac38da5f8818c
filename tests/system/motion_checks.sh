# The pictures between ticks, as the program's own --frame-stats figures
# tell them: moving blocks shown at the screen's rate in small steps, input
# answered at once; pictures on ticks only with --classic-motion and with
# "smoothMotion" 0 stored. Sourced by end_to_end_test.sh after
# x_session.sh and game_checks.sh.

# figure NAME: a number of the last run's frame stats (without decimals).
figure() {
  sed -n "s/^frame stats: $1 \([0-9.]*\).*/\1/p" "$work/game.log" | cut -d. -f1
}

# play_turns [OPTION...]: a game of a few seconds of turns, then Ctrl+Q.
play_turns() {
  start_game --frame-stats "$@"
  sleep 1
  click 50 50
  wait_for 10 region_matches "${title_start[@]}" "$run_dir/start.bmp" 0 0 || fail "no title"
  click $(centre_of "${title_start[@]}")
  local i
  for i in 0 1 2 3 4 5 6 7 8 9; do
    click $((220 + 60 * (i * 3 % 7))) $((160 + 60 * (i * 5 % 7))) $((i % 2 == 0 ? 1 : 3))
    sleep 0.1
  done
  xdotool key ctrl+q
  finish_game
  grep '^frame stats: ' "$work/game.log" >&2
}

expect_on_ticks_only() {
  [ "$(figure "pictures per second while moving")" -le 16 ] || fail "$1: more pictures than ticks while moving"
  [ "$(figure "largest step while moving")" -eq 20 ] || fail "$1: blocks did not move a whole tick's step at once"
}

play_motion() {
  play_turns
  [ "$(figure "pictures per second while moving")" -ge 40 ] || fail "too few pictures between ticks"
  [ "$(figure "95th percentile step while moving")" -le 10 ] || fail "moving blocks jump"
  [ "$(figure "input to picture median")" -le 25 ] || fail "input waits for the next tick"
  grep -q '^"smoothMotion"=dword:00000001$' "$settings" || fail "the smooth motion setting was not stored"

  play_turns --classic-motion
  expect_on_ticks_only "--classic-motion"
  sed -i 's/^"smoothMotion"=dword:00000001$/"smoothMotion"=dword:00000000/' "$settings"
  play_turns
  expect_on_ticks_only "\"smoothMotion\"=0"
}
