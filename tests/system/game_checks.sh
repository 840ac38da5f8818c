# The end-to-end walks through the game's screens, with the layout the
# screens use (positions in the 800 x 600 picture). Sourced by
# end_to_end_test.sh after x_session.sh.

# Buttons of the title menu: x y width height (one frame).
title_start=(358 216 83 38)
title_scores=(349 293 102 28)
title_options=(363 324 73 28)
title_help=(378 355 44 28)
title_exit=(378 450 44 28)
centre_of() { echo $(($1 + $3 / 2)) $(($2 + $4 / 2)); }

# Block colours: the rest frame of each colour row of the block picture is
# sampled at a few points; a board cell is told by the same points.
block_points=(15,15 9,9 21,21 9,21)
reference_colours() {
  local format="" k point
  for k in 0 1 2 3 4 5 6 7; do
    for point in "${block_points[@]}"; do
      format+="%[hex:p{${point%,*},$((${point#*,} + 30 * k))}] "
    done
  done
  read -r -a block_colours <<<"$(convert "$run_dir/blocks.bmp" -depth 8 -format "$format" info:)"
}

# board_cells IMAGE: 64 characters, one per cell in reading order: the
# colour row 0-7 whose samples all match, or ? when none does (moving,
# vanishing or missing blocks).
board_cells() {
  local format="" c r point
  for r in 0 1 2 3 4 5 6 7; do
    for c in 0 1 2 3 4 5 6 7; do
      for point in "${block_points[@]}"; do
        format+="%[hex:p{$((175 + 60 * c + ${point%,*})),$((115 + 60 * r + ${point#*,}))}] "
      done
    done
  done
  convert "$1" -depth 8 -format "$format" info: | awk -v references="${block_colours[*]}" \
    -v n=${#block_points[@]} "$classify_cells"
}

# awk: the samples of 64 cells (n per cell) against the 8 rows' references.
classify_cells='
function digit(c) { return index("0123456789ABCDEF", c) - 1 }
function channel(colour, i) { return digit(substr(colour, i, 1)) * 16 + digit(substr(colour, i + 1, 1)) }
function close_to(a, b,    i, d) {
  for (i = 1; i <= 5; i += 2) { d = channel(a, i) - channel(b, i); if (d < -24 || d > 24) return 0 }
  return 1
}
{
  split(references, reference, " ")
  result = ""
  for (cell = 0; cell < 64; cell++) {
    found = "?"
    for (k = 0; k < 8 && found == "?"; k++) {
      all = 1
      for (i = 1; i <= n && all; i++) {
        expected = reference[k * n + i]
        if (expected != "000000" && !close_to($(cell * n + i), expected)) all = 0
      }
      if (all) found = k
    }
    result = result found
  }
  print result
}'

# settled_board: waits until nothing moves on the board and prints it, with
# J for cells whose colour changes from tick to tick (jokers and bombs).
# Moving and vanishing blocks read as ?, so the J cells only have to stay
# few enough to be jokers: a fresh board may deal half a dozen of them.
# A joker shows the same colour again every 8 ticks (about 0.53 s), and a
# shot takes a good part of that: the two gaps differ by half a cycle so
# that they cannot both be whole cycles and hide a joker.
settled_board() {
  local deadline=$((SECONDS + 20))
  while [ "$SECONDS" -lt "$deadline" ]; do
    local a b c merged="" i
    a=$(board_cells "$(shot board)"); sleep 0.3
    b=$(board_cells "$(shot board)"); sleep 0.04
    c=$(board_cells "$(shot board)")
    if [[ "$a$b$c" != *"?"* ]]; then
      for i in $(seq 0 63); do
        if [ "${a:i:1}" = "${b:i:1}" ] && [ "${b:i:1}" = "${c:i:1}" ]; then merged+=${a:i:1}; else merged+=J; fi
      done
      if [ "$(tr -cd J <<<"$merged" | wc -c)" -le 12 ]; then
        echo "$merged"
        return 0
      fi
    fi
    sleep 0.3
  done
  fail "the board did not settle (last: $a)"
}

# turned BOARD C R DIRECTION: the board after turning the group whose
# top-left cell is (c, r); anticlockwise: TL<-TR, TR<-BR, BR<-BL, BL<-TL.
turned() {
  local board=$1 c=$2 r=$3
  local tl=$((r * 8 + c)) tr=$((r * 8 + c + 1)) bl=$(((r + 1) * 8 + c)) br=$(((r + 1) * 8 + c + 1))
  local -a cells
  local i
  for i in $(seq 0 63); do cells[i]=${board:i:1}; done
  local old_tl=${cells[tl]} old_tr=${cells[tr]} old_bl=${cells[bl]} old_br=${cells[br]}
  if [ "$4" = anticlockwise ]; then
    cells[tl]=$old_tr cells[tr]=$old_br cells[br]=$old_bl cells[bl]=$old_tl
  else
    cells[tl]=$old_bl cells[bl]=$old_br cells[br]=$old_tr cells[tr]=$old_tl
  fi
  (IFS=; echo "${cells[*]}")
}

# same_board A B: equal, a J matching anything.
same_board() {
  local i
  for i in $(seq 0 63); do
    [ "${1:i:1}" = J ] || [ "${2:i:1}" = J ] || [ "${1:i:1}" = "${2:i:1}" ] || return 1
  done
}

# turn_group C R BUTTON DIRECTION: a real turn; either the four blocks
# changed places as the direction says, or a match scored points.
turn_group() {
  local c=$1 r=$2 button=$3 direction=$4 before after score_before score_after
  before=$(settled_board)
  score_before=$(convert "$(shot score)" -crop 120x12+660+50 +repage -format %# info:)
  click $((220 + 60 * c)) $((160 + 60 * r)) "$button"
  after=$(settled_board)
  score_after=$(convert "$(shot score)" -crop 120x12+660+50 +repage -format %# info:)
  if same_board "$after" "$(turned "$before" "$c" "$r" "$direction")"; then
    echo "turned group ($c, $r) $direction"
  elif [ "$score_before" != "$score_after" ]; then
    echo "turned group ($c, $r) $direction into a match"
  else
    fail "turning group ($c, $r) $direction: board $before became $after and the score did not change"
  fi
}

# red_pixels IMAGE: pure red pixels on the board (hint outlines).
red_pixels() {
  convert "$1" -crop 480x480+160+100 +repage -fuzz 4% -fill black +opaque '#FF0000' \
    -fill white -opaque '#FF0000' -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

# silent FROM TO: the captured audio between two byte offsets is all zero.
audio_between() { tail -c +"$(($1 + 1))" "$audio" | head -c "$(($2 - $1))"; }
loud_bytes() { audio_between "$1" "$2" | tr -d '\0' | wc -c; }

play_every_screen() {
  # Splash: the logo at full strength on black, then a click skips it.
  sleep 1.8
  local image
  image=$(shot splash)
  expect_region "$image" 260 255 280 90 "$run_dir/company.bmp" 0 0 "" "splash logo"
  expect_colour "$image" 20 20 000000 "splash background"
  local splash_audio_end
  sleep 1
  splash_audio_end=$(audio_mark)
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not follow the splash"

  # Title: exactly the button under the mouse is highlighted.
  image=$(shot title)
  expect_region "$image" "${title_start[@]}" "$run_dir/start.bmp" 0 0 "" "Start button at rest"
  # shellcheck disable=SC2046
  move_to $(centre_of "${title_start[@]}")
  wait_for 3 region_matches "${title_start[@]}" "$run_dir/start.bmp" 0 38 || fail "Start is not highlighted"
  # shellcheck disable=SC2046
  move_to $(centre_of "${title_options[@]}")
  wait_for 3 region_matches "${title_options[@]}" "$run_dir/options.bmp" 0 28 || fail "Options is not highlighted"
  expect_region "$(shot title-options)" "${title_start[@]}" "$run_dir/start.bmp" 0 0 "" "Start after leaving it"

  # A game: the board, the time bar, the cursor, turns with both buttons.
  local game_audio_start
  game_audio_start=$(audio_mark)
  # shellcheck disable=SC2046
  click $(centre_of "${title_start[@]}")
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "the game screen did not open"
  local board
  board=$(settled_board)
  echo "board: $board"
  image=$(shot game)
  local bar
  bar=$(pixel "$image" 202 55)
  [ $((16#${bar:0:2})) -ge 240 ] && [ $((16#${bar:4:2})) -le 16 ] && [ $((16#${bar:2:2})) -ge 40 ] \
    || fail "time bar pixel (202, 55) is $bar, expected red 255, blue 0, some green"
  move_to 340 280
  image=$(shot cursor)
  expect_colour "$image" 340 235 FFFFFF "cursor outline top edge"
  expect_colour "$image" 295 280 FFFFFF "cursor outline left edge"
  expect_colour "$image" 385 280 FFFFFF "cursor outline right edge"
  turn_group 2 2 1 anticlockwise
  turn_group 4 5 3 clockwise
  turn_group 0 0 1 anticlockwise

  # Holding space outlines in red every match one move could make.
  move_to 100 300
  local red_before red_held red_after
  red_before=$(red_pixels "$(shot hints-before)")
  xdotool keydown space
  sleep 0.5
  red_held=$(red_pixels "$(shot hints-held)")
  xdotool keyup space
  sleep 0.5
  red_after=$(red_pixels "$(shot hints-after)")
  [ "$red_held" -gt $((red_before + 40)) ] || fail "space held shows no hints ($red_before -> $red_held red pixels)"
  [ "$red_after" -le $((red_before + 10)) ] || fail "hints stay after space is released ($red_after red pixels)"

  # The logo opens the maker's page; the game goes on.
  click 721 561
  wait_for 5 test -s "$work/xdg-open.args" || fail "the logo did not open a web page"
  grep -q '^https\?://' "$work/xdg-open.args" || fail "the logo opened $(cat "$work/xdg-open.args")"

  # The sound button switches the music off at once.
  local music_end
  music_end=$(audio_mark)
  click 716 449
  wait_for 3 region_matches 664 441 104 17 "$run_dir/sound.bmp" 0 34 "$run_dir/field.bmp" \
    || fail "the sound button does not show sound off"
  sleep 2
  local quiet_start quiet_end
  quiet_start=$(audio_mark)
  sleep 2
  quiet_end=$(audio_mark)
  [ "$(loud_bytes 0 "$splash_audio_end")" -gt 1000 ] || fail "the splash's jingle is silent in the captured audio"
  [ "$(loud_bytes "$game_audio_start" "$music_end")" -gt 1000 ] \
    || fail "the game's music is silent in the captured audio"
  [ "$quiet_end" -gt "$quiet_start" ] || fail "no audio was captured while sound was off"
  [ "$(loud_bytes "$quiet_start" "$quiet_end")" -eq 0 ] || fail "sound still plays after the sound button"

  # Exit in the middle of the game returns to the title.
  click 697 480
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "exit did not return to the title"

  # High scores: the panel with its orange border, Reset scores, OK.
  # shellcheck disable=SC2046
  click $(centre_of "${title_scores[@]}")
  sleep 0.5
  image=$(shot high-scores)
  expect_panel_border "$image" 200 110 400 380 "high scores panel"
  expect_colour "$image" 210 100 "$(pixel "$run_dir/title.bmp" 210 100)" "title around the panel"
  [ "$(white_pixels "$image" 240 180 320 20)" -gt 20 ] || fail "the first high-score row shows no text"
  click 378 444
  click 481 444
  wait_for 5 region_matches 200 110 150 100 "$run_dir/title.bmp" 200 110 || fail "OK did not close the high scores"

  # Options: the sound switch shows off (switched in the game), turn it on.
  # shellcheck disable=SC2046
  click $(centre_of "${title_options[@]}")
  sleep 0.5
  image=$(shot options)
  expect_panel_border "$image" 300 200 200 200 "options panel"
  expect_region "$image" 348 258 104 17 "$run_dir/sound.bmp" 0 34 "xc:#000022" "options sound switch off"
  click 400 266
  wait_for 3 region_matches 348 258 104 17 "$run_dir/sound.bmp" 0 0 "xc:#000022" \
    || fail "the options sound switch does not show on"
  click 400 333
  wait_for 5 region_matches 302 360 50 38 "$run_dir/title.bmp" 302 360 || fail "OK did not close the options"

  # Help starts the viewer with the help file.
  # shellcheck disable=SC2046
  click $(centre_of "${title_help[@]}")
  wait_for 5 test -s "$work/xchm.args" || fail "Help started no viewer"
  grep -q 'Quadrimo help.chm$' "$work/xchm.args" || fail "the viewer was given $(cat "$work/xchm.args")"

  # Exit ends the program with code 0 and stores the settings.
  # shellcheck disable=SC2046
  click $(centre_of "${title_exit[@]}")
  finish_game
  [ -s "$settings" ] || fail "no settings file at $settings"
  grep -q '^"hasSound"=hex:01' "$settings" || fail "hasSound is not on in $(cat "$settings")"
  local row
  for row in 0 9; do
    grep -q "^\"name$row\"=\"Anonymous\"" "$settings" || fail "row $row's name after reset: $(cat "$settings")"
    grep -q "^\"score$row\"=dword:[0-9a-f]\{8\}" "$settings" || fail "row $row's score: $(cat "$settings")"
  done
}

# expect_panel_border IMAGE X Y W H WHAT: the orange frame on all four sides.
expect_panel_border() {
  local image=$1 x=$2 y=$3 w=$4 h=$5 side point colour
  for side in "$((x + w / 2)) $y" "$((x + w / 2)) $((y + h))" "$x $((y + h / 2))" "$((x + w)) $((y + h / 2))"; do
    read -r px py <<<"$side"
    local found=0
    for point in "0 0" "0 1" "1 0" "0 -1" "-1 0"; do
      read -r dx dy <<<"$point"
      colour=$(pixel "$image" $((px + dx)) $((py + dy)))
      near "$colour" FF9900 12 && found=1 && break
    done
    [ "$found" = 1 ] || fail "$6: no orange border near ($px, $py)"
  done
  expect_colour "$image" $((x + 8)) $((y + 8)) 000022 "$6 background"
}

# white_pixels IMAGE X Y W H: near-white pixels in a region (text).
white_pixels() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -fuzz 20% -fill black +opaque white \
    -colorspace gray -format '%[fx:round(mean*w*h)]' info:
}

play_letterboxed() {
  sleep 1.8
  local image bars
  image=$(shot splash-scaled)
  expect_region "$image" 260 255 280 90 "$run_dir/company.bmp" 0 0 "" "scaled splash logo"
  # Black bars left and right of the 1440 x 1080 picture.
  bars=$(convert "$(screen_shot bars)" -depth 8 -format '%[hex:p{100,540}] %[hex:p{1819,540}]' info:)
  [ "$bars" = "000000 000000" ] || fail "the letterbox bars are not black: $bars"
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the scaled title did not appear"
  # shellcheck disable=SC2046
  move_to $(centre_of "${title_start[@]}")
  wait_for 3 region_matches "${title_start[@]}" "$run_dir/start.bmp" 0 38 || fail "scaled Start is not highlighted"
  # shellcheck disable=SC2046
  click $(centre_of "${title_start[@]}")
  wait_for 10 region_matches 0 0 150 40 "$run_dir/field.bmp" 0 0 || fail "the game did not start from a scaled click"
  turn_group 3 3 1 anticlockwise
  click 697 480
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 \
    || fail "the scaled exit button did not return to the title"
  # shellcheck disable=SC2046
  click $(centre_of "${title_exit[@]}")
  finish_game
}
