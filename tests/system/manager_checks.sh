# The game under real window managers on a 1920 x 1080 desktop: a workspace
# switch on a tiling one (i3), which never minimises the full-screen game,
# and on a stacking one (openbox) the switch away that minimises it and full
# screen from a maximised window.
# Sourced by end_to_end_test.sh after game_checks.sh, keyboard_checks.sh and
# window_checks.sh.

# window_states: the game window's _NET_WM_STATE atoms.
window_states() { xprop -id "$(xdotool search --name '^Quadrimo$' | head -1)" _NET_WM_STATE; }

# has_states ATOM...: the game window is in every one of these states.
has_states() {
  local states atom
  states=$(window_states)
  for atom in "$@"; do [[ $states == *"_NET_WM_STATE_$atom"* ]] || return 1; done
}

# skip_splash: a key from the splash to the title.
skip_splash() {
  xdotool key space
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "a key did not skip the splash"
}

# start_by_keys: Start on the title, with keys only.
start_by_keys() {
  xdotool key Down Return
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "Enter on Start did not open the game"
}

# A game switched away from on a tiling window manager: paused (silent, the
# clock still) while the player is elsewhere, full screen again on return,
# full screen kept, and the tile it had as a window not kept as its size.
play_away_on_tiling_manager() {
  start_game
  skip_splash
  # Out of full screen the window is the tile i3 gives it: no size of the player's.
  xdotool key F11
  wait_for 5 eval '! has_states FULLSCREEN' || fail "F11 did not leave full screen: $(window_states)"
  xdotool key F11
  wait_for 5 has_states FULLSCREEN || fail "F11 again did not go full screen: $(window_states)"
  start_by_keys
  local playing away back
  playing=$(audio_mark)
  settled_board >/dev/null

  i3-msg -q workspace 2
  sleep 1
  away=$(audio_mark)
  sleep 2
  back=$(audio_mark)
  i3-msg -q workspace 1
  [ "$(loud_bytes "$playing" "$away")" -gt 1000 ] || fail "no music played before the switch"
  [ "$(loud_bytes "$away" "$back")" -eq 0 ] || fail "the music played on on another workspace"
  wait_for 5 has_states FULLSCREEN || fail "the game is not full screen after the switch back: $(window_states)"
  expect_window 1920 1080 "back from another workspace"
  local bar
  expect_board_hidden "$(shot i3-back)"
  bar=$(time_bar "$work/shots/i3-back.png")
  sleep 1.5
  [ "$(time_bar "$(shot i3-later)")" = "$bar" ] || fail "the clock ran on after the switch back"
  xdotool key ctrl+q
  finish_game
  expect_kept 01 00000320 00000258
}

# On a stacking window manager switching away minimises the full-screen
# game, which stops it; coming back it plays on at once, full screen.
play_away_on_stacking_manager() {
  start_game
  skip_splash
  start_by_keys
  local game other
  game=$(xdotool search --name '^Quadrimo$' | head -1)
  xmessage -geometry +10+10 elsewhere &
  other=$!
  wait_for 5 xdotool search --class xmessage >/dev/null || fail "no other window to switch to"
  xdotool windowactivate "$(xdotool search --class xmessage | head -1)"
  wait_for 5 has_states HIDDEN || fail "switching away did not minimise the game: $(window_states)"
  xdotool windowactivate "$game"
  wait_for 5 has_states FULLSCREEN || fail "the game is not full screen again: $(window_states)"
  settled_board >/dev/null
  local bar
  bar=$(time_bar "$(shot openbox-back)")
  sleep 1.5
  [ "$(time_bar "$(shot openbox-later)")" != "$bar" ] || fail "the game did not play on after the restore"
  kill "$other"
  xdotool key ctrl+q
  finish_game
}

# Maximised, then F11 twice: maximised again.
play_maximised_on_stacking_manager() {
  start_game --windowed
  expect_window 800 600 "--windowed under openbox"
  xdotool key super+m
  wait_for 5 has_states MAXIMIZED_VERT MAXIMIZED_HORZ || fail "openbox did not maximise the window: $(window_states)"
  xdotool key F11
  expect_window 1920 1080 "F11 from a maximised window"
  xdotool key F11
  wait_for 5 has_states MAXIMIZED_VERT MAXIMIZED_HORZ || fail "F11 twice did not come back maximised: $(window_states)"
  xdotool key ctrl+q
  finish_game
}
