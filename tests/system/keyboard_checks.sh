# The end-to-end walk without the mouse on the board and menus: pause, the
# keyboard cursor and turns, the title highlight and the panels' keys.
# Sourced by end_to_end_test.sh after x_session.sh and game_checks.sh.

# time_bar IMAGE: a signature of the time bar's row of the picture.
time_bar() { convert "$1" -crop 400x10+200+50 +repage -format %# info:; }

# expect_board_hidden IMAGE: the middle of every cell shows the notice's
# dark background, not a block.
expect_board_hidden() {
  local c r
  for r in 0 3 7; do
    for c in 0 2 5 7; do
      expect_colour "$1" $((190 + 60 * c)) $((130 + 60 * r)) 000022 "paused board, cell ($c, $r)"
    done
  done
}

play_with_keys() {
  sleep 1
  # Away from the board, so that the keyboard cursor starts in the middle.
  move_to 50 300
  xdotool key space
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "a key did not skip the splash"
  xdotool key Down
  wait_for 3 region_matches "${title_start[@]}" "$run_dir/start.bmp" 0 38 || fail "Down did not highlight Start"
  xdotool key Return
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "Enter on Start did not open the game"

  # P hides the board and stops the clock; P again brings both back.
  local board paused_bar
  board=$(settled_board)
  xdotool key p
  sleep 0.5
  paused_bar=$(time_bar "$(shot paused)")
  expect_board_hidden "$work/shots/paused.png"
  sleep 3
  [ "$(time_bar "$(shot paused-later)")" = "$paused_bar" ] || fail "the time bar moved while paused"
  expect_board_hidden "$work/shots/paused-later.png"
  xdotool key p
  same_board "$(settled_board)" "$board" || fail "P again did not bring the board back as it was"
  sleep 1.5
  [ "$(time_bar "$(shot resumed)")" != "$paused_bar" ] || fail "the clock did not run on after the pause"

  # The first arrow shows the cursor on the middle group (3, 3); two more
  # take it to (2, 2), outlined as the mouse would; Z turns it anticlockwise.
  xdotool key Left Left Up
  sleep 0.3
  local image before after score_before score_after
  image=$(shot key-cursor)
  expect_colour "$image" 340 235 FFFFFF "keyboard cursor top edge"
  expect_colour "$image" 295 280 FFFFFF "keyboard cursor left edge"
  before=$(settled_board)
  score_before=$(convert "$(shot key-score)" -crop 120x12+660+50 +repage -format %# info:)
  xdotool key z
  after=$(settled_board)
  score_after=$(convert "$(shot key-score)" -crop 120x12+660+50 +repage -format %# info:)
  if ! same_board "$after" "$(turned "$before" 2 2 anticlockwise)" && [ "$score_before" = "$score_after" ]; then
    fail "Z did not turn group (2, 2): board $before became $after"
  fi

  # Exit still works in a paused game.
  xdotool key Escape
  sleep 0.3
  expect_board_hidden "$(shot escape-paused)"
  click 697 480
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "exit did not leave the paused game"

  # Enter closes the high scores, Escape the options.
  xdotool key Down Down Return
  sleep 0.5
  expect_panel_border "$(shot key-scores)" 200 110 400 380 "high scores opened by Enter"
  xdotool key Return
  wait_for 5 region_matches 200 110 150 100 "$run_dir/title.bmp" 200 110 || fail "Enter did not close the high scores"
  xdotool key Down Return
  sleep 0.5
  expect_panel_border "$(shot key-options)" 300 200 200 200 "options opened by Enter"
  xdotool key Escape
  wait_for 5 region_matches 302 360 50 38 "$run_dir/title.bmp" 302 360 || fail "Escape did not close the options"

  # Options, Help, Exit: Enter ends the program.
  xdotool key Down Down Return
  finish_game
}
