# Starts against a hostile settings folder: a FIFO in place of the settings
# file, then the settings lock held by another program. Each time the window
# must appear within 2 s and the program must end the normal way. Sourced by
# end_to_end_test.sh after x_session.sh.

# start_quickly WHAT: start_game, failing when the window took over 2 s.
start_quickly() {
  local started elapsed
  started=$(date +%s%N)
  start_game
  elapsed=$((($(date +%s%N) - started) / 1000000))
  echo "$1: window after $elapsed ms"
  [ "$elapsed" -le 2000 ] || fail "$1: the window took $elapsed ms to appear"
}

play_hostile_starts() {
  mkdir -p "$(dirname "$settings")"
  mkfifo "$settings"
  start_quickly "FIFO as the settings file"
  # Terminating it ends it through its quit message: exit code 0, settings stored.
  sleep 1
  kill -TERM "$game_pid"
  finish_game
  [ -f "$settings" ] && [ ! -p "$settings" ] || fail "the FIFO was not replaced by a settings file"
  grep -q '^"hasSound"=hex:01' "$settings" || fail "hasSound was not stored: $(cat "$settings")"

  printf '"score0"=dword:00bc614e\n' >>"$settings"
  # The holder becomes the sleep itself, so that killing it frees the lock.
  (exec 9>"$settings.lock" && flock 9 && exec sleep 60) >/dev/null 2>&1 &
  local holder=$!
  wait_for 5 bash -c "! flock -n '$settings.lock' true" || fail "the lock could not be held"
  start_quickly "settings lock held by another program"
  sleep 1.5
  click 50 50
  wait_for 10 region_matches 0 0 340 200 "$run_dir/title.bmp" 0 0 || fail "the title did not follow the splash"
  # shellcheck disable=SC2046
  click $(centre_of "${title_exit[@]}")
  finish_game
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true
  grep -q '^"score0"=dword:00bc614e' "$settings" || fail "the stored score was lost: $(cat "$settings")"
}
