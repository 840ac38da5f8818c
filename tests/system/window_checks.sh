# The window modes on a 1920 x 1080 desktop: --windowed, F11 and Alt+Enter,
# the choice and the window size kept for the next start, clicks that land
# right after a switch, and the window class docks group by. Xvfb runs no
# window manager, so the game places and sizes the window itself, and focus
# changes cannot be made here. Sourced by end_to_end_test.sh after
# game_checks.sh.

# window_geometry: "WIDTH HEIGHT X Y" of the game's window.
window_geometry() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Quadrimo$' | head -1)")"
  echo "$WIDTH $HEIGHT $X $Y"
}

# expect_window WIDTH HEIGHT WHAT: waits for the window to take that size,
# then maps picture coordinates into it for the helpers of x_session.sh.
expect_window() {
  wait_for 5 bash -c "[ \"\$(xdotool getwindowgeometry \$(xdotool search --name '^Quadrimo$' | head -1) \
    | awk '/Geometry/ { print \$2 }')\" = '$1x$2' ]" || fail "$3: the window is $(window_geometry), not $1 x $2"
  # Switching also puts the pointer back where it was in the window: let that
  # happen before the pointer is moved here.
  sleep 0.5
  local width height x y
  read -r width height x y <<<"$(window_geometry)"
  if [ $((width * 600)) -le $((height * 800)) ]; then
    scale_num=$width scale_den=800
  else
    scale_num=$height scale_den=600
  fi
  offset_x=$((x + (width - 800 * scale_num / scale_den) / 2))
  offset_y=$((y + (height - 600 * scale_num / scale_den) / 2))
}

# stored VALUE: the line of the settings file that holds the value.
stored() { grep "^\"$1\"=" "$settings" || echo "\"$1\" missing"; }

# expect_kept FULL_SCREEN WIDTH HEIGHT: the mode (hex byte) and the window
# size (hex dwords) stored at exit.
expect_kept() {
  local kept
  kept="$(stored fullScreen) $(stored windowWidth) $(stored windowHeight)"
  [ "$kept" = "\"fullScreen\"=hex:$1 \"windowWidth\"=dword:$2 \"windowHeight\"=dword:$3" ] \
    || fail "the mode and window size kept: $kept"
}

quit_with_ctrl_q() {
  xdotool key ctrl+q
  finish_game
}

play_window_modes() {
  start_game --windowed
  expect_window 800 600 "--windowed on a 1920 x 1080 desktop"
  xprop -id "$(xdotool search --name '^Quadrimo$' | head -1)" WM_CLASS | grep -q '"quadrimo", "quadrimo"' \
    || fail "the window class is not quadrimo"
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not appear in the window"

  xdotool key F11
  expect_window 1920 1080 "F11"
  # shellcheck disable=SC2046
  move_to $(centre_of "${title_start[@]}")
  wait_for 3 region_matches "${title_start[@]}" "$run_dir/start.bmp" 0 38 \
    || fail "Start is not highlighted under the pointer after F11"
  xdotool key alt+Return
  expect_window 800 600 "Alt+Enter"
  # shellcheck disable=SC2046
  click $(centre_of "${title_start[@]}")
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "a click after two switches did not start a game"
  xdotool key F11
  expect_window 1920 1080 "F11 during a game"
  turn_group 3 3 1 anticlockwise
  quit_with_ctrl_q
  [ "$(stored fullScreen)" = '"fullScreen"=hex:01' ] || fail "full screen was not kept: $(stored fullScreen)"

  start_game
  expect_window 1920 1080 "the start after leaving in full screen"
  xdotool key F11
  expect_window 800 600 "F11 back to a window"
  xdotool windowsize "$(xdotool search --name '^Quadrimo$' | head -1)" 1000 750
  expect_window 1000 750 "a resized window"
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not appear in the resized window"
  quit_with_ctrl_q
  expect_kept 00 000003e8 000002ee

  start_game
  expect_window 1000 750 "the start after leaving a resized window"
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not appear"
  # shellcheck disable=SC2046
  click $(centre_of "${title_exit[@]}")
  finish_game
}
