# The game natively on Wayland without a graphics card: it starts and shows
# its picture, F11 gives the window the size chosen for the desktop, not the
# screen's, and a workspace switch pauses the full-screen game. Sourced by
# end_to_end_test.sh after wayland_session.sh, game_checks.sh,
# keyboard_checks.sh and window_checks.sh.

play_on_wayland() {
  start_wayland_game
  type_keys -k space
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "no title on Wayland"

  type_keys -k F11
  wait_for 5 sway_window_is "800 600 0" || fail "F11 on Wayland: the window is $(sway_window), not 800 600 windowed"
  type_keys -k F11
  wait_for 5 sway_window_is "1920 1080 1" || fail "F11 again on Wayland: the window is $(sway_window), not full screen"

  type_keys -k Down
  type_keys -k Return
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "Enter on Start did not open the game"
  settled_board >/dev/null
  as_player swaymsg -q workspace 2
  sleep 1.5
  as_player swaymsg -q workspace 1
  sleep 0.5
  expect_board_hidden "$(shot wayland-back)"
  sway_window_is "1920 1080 1" || fail "the game is not full screen after the switch back: $(sway_window)"

  type_keys -M ctrl -k q -m ctrl
  finish_game
  expect_kept 01 00000320 00000258
}
