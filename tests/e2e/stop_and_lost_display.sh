#!/usr/bin/env bash
# The game never outlives its display or a request to stop: SIGTERM, SIGINT and SIGHUP end it with exit
# code 0 within 3 s on every screen (chooser, menu, credits, play, tutorial, closing logo); a display
# that does not answer, or one that goes away under the running game, ends it with one line on stderr
# and a non-zero exit code (within 1 s of the loss).
# Usage: stop_and_lost_display.sh <path to vextoron> <artifacts dir>
set -uo pipefail

game=${1:?path to vextoron}
out=${2:?artifacts dir}
mkdir -p "$out"

script_name=stop_and_lost_display
source "$(dirname "$0")/lib/common.sh"
need_tools xdotool Xvfb
export SDL_AUDIODRIVER=dummy
log=$out/stop-frames.log
said=$out/stop-stderr.log

# A display number nobody serves: the game must not fall back to an invisible one.
free_display() {
  local n
  for n in $(seq 140 199); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { echo ":$n"; return 0; }
  done
  return 1
}
step="display that does not answer"
nobody=$(free_display) || fail "no free display number"
got=$(env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$nobody" timeout 10 "$game" 2>&1 >/dev/null)
code=$?
((code != 0 && code != 124)) || fail "exit code $code with DISPLAY=$nobody"
[[ $got == "vextoron: no display to show a window on" ]] || fail "expected the one no-display line, got: $got"

# A private X server, so that killing it later touches nobody else.
start_xvfb 100 139
[[ -n ${xvfb_pid:-} ]] || fail "no free display number for Xvfb"
sleep 1

start_game() {
  rm -f "$log"
  VEXTORON_FRAME_LOG=$log "$game" >/dev/null 2>"$said" &
  pid=$!
}

# Waits up to $1 seconds until the last frame logged was drawn in screen state $2.
wait_state() {
  local deadline=$(($(date +%s) + $1))
  while (($(date +%s) < deadline)); do
    [[ $(tail -n 1 "$log" 2>/dev/null | awk '$1 == "frame" { print $4 }') == "$2" ]] && return 0
    sleep 0.05
  done
  return 1
}

# Sends signal $1 and expects exit code 0 within 3 s.
stop_with() {
  local sent=$(now_us)
  kill -s "$1" "$pid"
  await_exit 60 0.05 "still running 3 s after SIG$1"
  ((code == 0)) || fail "exit code $code after SIG$1"
  echo "$step: SIG$1 -> exit 0 after $((($(now_us) - sent) / 1000)) ms"
}

step="chooser"
start_game
wait_window 340 20 >/dev/null || fail "the chooser window did not appear"
stop_with TERM

step="menu"
start_game
choose_windowed 20
wait_state 10 1 || fail "the menu did not appear"
stop_with INT

# Each menu entry by its place in the window: CREDITS, TUTORIAL, NEW GAME, QUIT.
menu_screen() {
  step=$1
  start_game
  choose_windowed 20
  wait_state 10 1 || fail "the menu did not appear"
  # The window may still be settling in place: read its origin again, and click again if need be.
  sleep 0.3
  origin "$game_window"
  click_at $((wx + 400)) $((wy + $2))
  if ! wait_state 2 "$3"; then
    origin "$game_window"
    click_at $((wx + 400)) $((wy + $2))
    wait_state 5 "$3" || fail "the menu entry did not lead to screen state $3"
  fi
  stop_with "$4"
}
menu_screen credits 265 0 HUP
menu_screen play 479 2 TERM
menu_screen tutorial 330 3 INT
menu_screen "closing logo" 540 99 HUP

step="lost display"
start_game
choose_windowed 20
wait_state 10 1 || fail "the menu did not appear"
sleep 0.3
origin "$game_window"
click_at $((wx + 400)) $((wy + 479))
if ! wait_state 2 2; then
  origin "$game_window"
  click_at $((wx + 400)) $((wy + 479))
  wait_state 5 2 || fail "NEW GAME did not start the game"
fi
lost=$(now_us)
kill "$xvfb_pid"
xvfb_pid=
await_exit 40 0.025 "still running 1 s after the X server went away"
ended_ms=$((($(now_us) - lost) / 1000))
((code != 0)) || fail "exit code 0 after losing the display"
lines=$(grep -c . "$said")
[[ $lines == 1 && $(cat "$said") == "vextoron: lost the connection to the display" ]] ||
  fail "expected one line on stderr, got: $(cat "$said")"
echo "$step: exit $code after $ended_ms ms"
echo "stop_and_lost_display: ok"
exit 0
