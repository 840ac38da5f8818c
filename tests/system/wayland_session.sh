# Helpers for driving the real program natively on Wayland: a private
# headless sway (software rendering, no graphics card), keys through wtype
# and screenshots through grim. sway refuses to run as root, so as root the
# compositor, the tools and the game run as nobody. Sourced by
# end_to_end_test.sh after x_session.sh, whose picture helpers take their
# screenshots from grab_screen as redefined here.

sway_pid=
keyboard_pid=
session=()
player=()
if [ "$(id -u)" -eq 0 ]; then player=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi

# as_player COMMAND...: runs the command in the Wayland session.
as_player() { "${player[@]}" "${session[@]}" "$@"; }

# give_to_player PATH...: lets the player write there.
give_to_player() { if [ ${#player[@]} -gt 0 ]; then chown -R 65534:65534 "$@"; fi; }

# start_wayland WIDTH HEIGHT: a headless sway with one output of that size,
# floating the game's window as a desktop without tiling would.
start_wayland() {
  local width=$1 height=$2 tool
  for tool in sway swaymsg grim wtype jq; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (a Wayland session needs sway, grim, wtype and jq)"
  done
  chmod 755 "$work"
  mkdir -p "$work/player/run" "$work/home"
  chmod 700 "$work/player/run"
  printf 'output HEADLESS-1 resolution %dx%d\ndefault_border normal\nfor_window [app_id="quadrimo"] floating enable\n' \
    "$width" "$height" >"$work/player/sway.config"
  give_to_player "$work/player" "$work/home"
  "${player[@]}" env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/player/run" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/player/sway.config" >"$work/sway.log" 2>&1 &
  sway_pid=$!
  wait_for 10 sway_listens || { cat "$work/sway.log" >&2; fail "sway did not start"; }
  session=(env -u DISPLAY XDG_RUNTIME_DIR="$work/player/run" HOME="$work/home"
           WAYLAND_DISPLAY="$(basename "$(compgen -G "$work/player/run/wayland-*[0-9]")")"
           SWAYSOCK="$(compgen -G "$work/player/run/sway-ipc.*.sock")")
  # SDL 2.26 takes a key from a keyboard whose keymap came after the focus
  # for a crash: a virtual keyboard exists before the game's window does.
  "${player[@]}" "${session[@]}" wtype -s 600000 &
  keyboard_pid=$!
  sleep 0.5
  picture_on_screen "$width" "$height"
}

sway_listens() {
  compgen -G "$work/player/run/wayland-*[0-9]" >/dev/null && compgen -G "$work/player/run/sway-ipc.*.sock" >/dev/null
}

stop_wayland() {
  local pid
  for pid in "$keyboard_pid" "$sway_pid"; do
    if [ -n "$pid" ]; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  keyboard_pid= sway_pid=
}

end_wayland_session() {
  local status=$?
  end_session "$status"
  stop_wayland
}
trap end_wayland_session EXIT

# grab_screen FILE [WxH+X+Y]: grim's picture of the output, or that part of it.
grab_screen() {
  local region=()
  if [ -n "${2:-}" ]; then
    local place=${2#*+}
    region=(-g "${place/+/,} ${2%%+*}")
  fi
  as_player grim "${region[@]}" - >"$1"
}

# type_keys WTYPE_ARGUMENTS...: keys from a new virtual keyboard.
type_keys() {
  as_player wtype "$@"
  sleep 0.3
}

# sway_window: "WIDTH HEIGHT FULLSCREEN" of the game's window as sway has it.
sway_window() {
  as_player swaymsg -t get_tree | jq -r '.. | objects | select(.app_id? == "quadrimo")
    | "\(.window_rect.width) \(.window_rect.height) \(.fullscreen_mode)"'
}

sway_window_is() { [ "$(sway_window)" = "$1" ]; }

game_window_shown() { kill -0 "$game_pid" 2>/dev/null && [ -n "$(sway_window)" ]; }

# start_wayland_game [ARGUMENT...]: the game natively on Wayland, with the
# private home, stand-in tools and captured sound of start_game.
start_wayland_game() {
  local game_dir=$run_dir
  # The player may not reach a build folder inside root's home.
  if ! as_player test -r "$run_dir/company.bmp"; then
    cp -r "$run_dir" "$work/game"
    game_dir="$work/game"
  fi
  touch "$audio"
  give_to_player "$audio" "$work/home"
  (cd "$game_dir" && exec "${player[@]}" "${session[@]}" SDL_VIDEODRIVER=wayland XDG_DATA_HOME="$work/home/data" \
     XDG_CONFIG_HOME="$work/home/config" PATH="$work/bin:$PATH" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
     ./quadrimo "$@" >"$work/game.log" 2>&1) &
  game_pid=$!
  wait_for 20 game_window_shown || { cat "$work/game.log" >&2; fail "the game's window did not appear on Wayland"; }
}
