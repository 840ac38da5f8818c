# The X server dies under the end-of-game panel: the score being named and
# the settings are stored before the program ends. Sourced by
# end_to_end_test.sh after x_session.sh and game_checks.sh.

# panel_open: the end-of-game panel's orange top edge is on the screen.
panel_open() { near "$(pixel "$(shot poll)" 400 220)" FF9900 12; }
score_signature() { convert "$(shot score)" -crop 120x12+660+50 +repage -format %# info:; }

play_until_the_display_dies() {
  # Every stored row scores 0, so that any score at all is a high score.
  mkdir -p "$(dirname "$settings")"
  {
    printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Zentrio\\Quadrimo]\n'
    local row
    for row in 0 1 2 3 4 5 6 7 8 9; do printf '"name%d"="Nobody"\n"score%d"=dword:00000000\n' "$row" "$row"; done
  } >"$settings"
  start_game
  sleep 1
  xdotool key space
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "a key did not skip the splash"
  xdotool key Down Return
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "Enter on Start did not open the game"
  # Sound off, so that the stored switch tells the settings were stored too.
  click 716 449
  # Turns wherever the cursor goes until one scores; then turns of one
  # group, which seldom match again, run the clock out in well under a minute.
  local deadline=$((SECONDS + 90)) keys=(Left z Up x Right z Down x) score
  score=$(score_signature)
  while [ "$(score_signature)" = "$score" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no turn scored"
    xdotool key --delay 80 "${keys[RANDOM % 8]}" "${keys[RANDOM % 8]}" "${keys[RANDOM % 8]}"
  done
  until panel_open; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the game did not end"
    xdotool key --delay 70 z z z z z z
  done
  expect_colour "$(shot name-panel)" 400 383 FFFFFF "the name field of a high score"
  # The last turns may have typed into the name: it is cleared first.
  xdotool key --delay 20 $(printf 'BackSpace Delete %.0s' {1..10}) && xdotool type --delay 60 Xlost
  sleep 0.5
  kill -KILL "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
  wait_for 10 bash -c "! kill -0 $game_pid 2>/dev/null" || fail "the program did not end with its display"
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  [ "$status" -eq 1 ] || { cat "$work/game.log" >&2; fail "exit code $status after the display died"; }
  grep -q 'connection to the X server was lost' "$work/game.log" || fail "no word of the lost display: $(cat "$work/game.log")"
  grep -q '^"name0"="Xlost"' "$settings" || fail "the score being named was lost: $(cat "$settings")"
  grep -q '^"score0"=dword:0*[1-9a-f]' "$settings" || fail "no score stored: $(cat "$settings")"
  grep -q '^"hasSound"=hex:00' "$settings" || fail "the sound switch was not stored: $(cat "$settings")"
}
