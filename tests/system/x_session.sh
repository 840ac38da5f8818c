# Helpers for driving the real program on a private X server with xdotool
# and checking screenshots at known pixels. Sourced by the end-to-end test.
# Coordinates given to these helpers are picture coordinates (800 x 600);
# they are mapped to the screen through the letterboxed scale of the run.
# The sourcing script sets $work to a fresh folder and calls
# `trap end_session EXIT`.

game_pid=
xvfb_pid=
manager_pid=

# end_session [STATUS]: stops the game and the X server; the work folder's
# screenshots and logs are kept when the script failed (the status given, or
# the last command's), removed otherwise.
end_session() {
  local status=${1:-$?}
  if [ -n "$game_pid" ]; then
    kill "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  stop_x
  if [ "$status" -ne 0 ]; then echo "Screenshots and logs kept in $work" >&2; else rm -rf "$work"; fi
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# skip WHY: ends the test as skipped (CTest's skip code 77).
skip() {
  echo "SKIPPED: $*"
  trap - EXIT
  end_session
  exit 77
}

# start_x WIDTH HEIGHT DEPTH: a private Xvfb; sets DISPLAY and the picture's
# scale and offset on that screen.
start_x() {
  local width=$1 height=$2 depth=$3
  command -v Xvfb >/dev/null || fail "Xvfb is not installed (package xvfb)"
  command -v xdotool >/dev/null || fail "xdotool is not installed"
  Xvfb -displayfd 3 -screen 0 "${width}x${height}x${depth}" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local number=""
  wait_for 10 test -s "$work/display" && number=$(tr -d '[:space:]' <"$work/display")
  if [ -z "$number" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    cat "$work/xvfb.log" >&2
    fail "Xvfb could not start a ${width}x${height}x${depth} screen"
  fi
  export DISPLAY=":$number"
  picture_on_screen "$width" "$height"
}

# picture_on_screen WIDTH HEIGHT: the 800 x 600 picture's scale and offset on
# a full screen of that size: scaled to fit with its aspect kept, centred.
picture_on_screen() {
  local width=$1 height=$2
  if [ $((width * 600)) -le $((height * 800)) ]; then
    scale_num=$width scale_den=800
  else
    scale_num=$height scale_den=600
  fi
  offset_x=$(((width - 800 * scale_num / scale_den) / 2))
  offset_y=$(((height - 600 * scale_num / scale_den) / 2))
}

# start_window_manager i3|openbox: a window manager on the X server, with a
# configuration of its own: i3 without a bar, openbox with Super+M to
# maximise the focused window. It ends with the X server.
start_window_manager() {
  stop_window_manager
  local config="$work/$1.config"
  case $1 in
    i3)
      printf 'font pango:monospace 8\n' >"$config"
      i3 -c "$config" >"$work/i3.log" 2>&1 &
      ;;
    openbox)
      sed 's|<keyboard>|<keyboard><keybind key="W-m"><action name="ToggleMaximize"/></keybind>|' \
        /etc/xdg/openbox/rc.xml >"$config"
      openbox --sm-disable --config-file "$config" >"$work/openbox.log" 2>&1 &
      ;;
  esac
  manager_pid=$!
  wait_for 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" \
    || fail "the $1 window manager did not start"
}

stop_window_manager() {
  if [ -n "${manager_pid:-}" ]; then
    kill "$manager_pid" 2>/dev/null || true
    wait "$manager_pid" 2>/dev/null || true
    manager_pid=
    # So that the next manager is not taken for started before it is.
    xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null || true
  fi
}

stop_x() {
  stop_window_manager
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
}

# Screen position of the middle of picture pixel x (or y).
screen_x() { echo $((offset_x + ($1 * 2 + 1) * scale_num / (2 * scale_den))); }
screen_y() { echo $((offset_y + ($1 * 2 + 1) * scale_num / (2 * scale_den))); }

move_to() { xdotool mousemove "$(screen_x "$1")" "$(screen_y "$2")"; sleep 0.2; }

# click X Y [BUTTON]: 1 left, 2 middle, 3 right.
click() {
  move_to "$1" "$2"
  xdotool click "${3:-1}"
  sleep 0.3
}

# grab_screen FILE [WxH+X+Y]: the screen, or that part of it, as a picture.
grab_screen() {
  if [ -n "${2:-}" ]; then import -window root -crop "$2" +repage "$1"; else import -window root "$1"; fi
}

# screen_shot NAME: a screenshot of the whole screen; prints its path.
screen_shot() {
  local file="$work/shots/$1-screen.png"
  mkdir -p "$work/shots"
  grab_screen "$file" || fail "cannot take a screenshot"
  echo "$file"
}

# shot NAME: a screenshot of the picture only, brought back to 800 x 600,
# so that every check below works in picture coordinates; prints its path.
shot() {
  local file="$work/shots/$1.png"
  mkdir -p "$work/shots"
  if [ "$scale_num" = "$scale_den" ]; then
    grab_screen "$file" "800x600+${offset_x}+${offset_y}" || fail "cannot take a screenshot"
  else
    local size="$((800 * scale_num / scale_den))x$((600 * scale_num / scale_den))"
    convert "$(screen_shot "$1")" -crop "${size}+${offset_x}+${offset_y}" +repage -resize '800x600!' "$file"
  fi
  echo "$file"
}

# pixel IMAGE X Y: the colour RRGGBB at pixel (x, y).
pixel() {
  convert "$1" -depth 8 -format "%[hex:p{$2,$3}]" info:
}

# near RRGGBB RRGGBB TOLERANCE: each channel differs by at most the tolerance.
near() {
  local a=$1 b=$2 tolerance=$3 i
  for i in 0 2 4; do
    local d=$((16#${a:i:2} - 16#${b:i:2}))
    [ "${d#-}" -le "$tolerance" ] || return 1
  done
}

# expect_colour IMAGE X Y RRGGBB WHAT: allows for 5-6-5 rounding.
expect_colour() {
  local actual
  actual=$(pixel "$1" "$2" "$3")
  near "$actual" "$4" 12 || fail "$5: pixel ($2, $3) is $actual, expected about $4 (in $1)"
}

# differing_pixels IMAGE X Y W H REFERENCE RX RY [UNDERLAY]: how many pixels
# of the screenshot's region differ from the
# reference picture's region. With an underlay (a picture, or a colour
# such as xc:#000022), the reference is colour-keyed: its black pixels show
# the underlay's pixels at (X, Y) instead.
differing_pixels() {
  local image=$1 x=$2 y=$3 w=$4 h=$5 reference=$6 rx=$7 ry=$8 underlay=${9:-}
  local region="$work/region.png" expected="$work/expected.png"
  convert "$image" -crop "${w}x${h}+${x}+${y}" +repage "$region"
  if [ -z "$underlay" ]; then
    convert "$reference" -crop "${w}x${h}+${rx}+${ry}" +repage "$expected"
  elif [ "${underlay#xc:}" != "$underlay" ]; then
    convert -size "${w}x${h}" "$underlay" \( "$reference" -crop "${w}x${h}+${rx}+${ry}" +repage \
      -transparent black \) -composite "$expected"
  else
    convert "$underlay" -crop "${w}x${h}+${x}+${y}" +repage \( "$reference" -crop "${w}x${h}+${rx}+${ry}" \
      +repage -transparent black \) -composite "$expected"
  fi
  local fuzz=6%
  [ "$scale_num" = "$scale_den" ] || fuzz=15%
  compare -metric AE -fuzz "$fuzz" "$region" "$expected" null: 2>&1 || true
}

# allowed_differences W H: 1 % of a region (rounding to 5-6-5, smoothed
# text edges), 5 % when the picture was scaled and scaled back (which also
# allows a greater difference per pixel, above).
allowed_differences() {
  if [ "$scale_num" = "$scale_den" ]; then echo $(($1 * $2 / 100)); else echo $(($1 * $2 * 5 / 100)); fi
}

# expect_region IMAGE X Y W H REFERENCE RX RY UNDERLAY WHAT
expect_region() {
  local differing
  differing=$(differing_pixels "${@:1:9}")
  [ "${differing%%.*}" -le "$(allowed_differences "$4" "$5")" ] \
    || fail "${10}: $differing of $(($4 * $5)) pixels at ($2, $3) differ from $6 (+$7+$8)"
}

# region_matches: expect_region's test without failing, for polling.
region_matches() {
  local differing
  differing=$(differing_pixels "$(shot poll)" "${@:1:8}")
  [ "${differing%%.*}" -le "$(allowed_differences "$3" "$4")" ]
}

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}
