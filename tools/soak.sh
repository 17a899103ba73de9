#!/usr/bin/env bash
# Long run of the built game under its own Xvfb with a random player: arrow keys, Shift, Space, Escape
# and Enter, and clicks on every menu entry but QUIT. The resident memory is sampled every 10 s into a
# CSV; the run fails if the game dies. At the end it goes back to the menu, QUITs and expects exit 0.
# Not part of the test suite (it takes minutes).
# Usage: soak.sh <path to vextoron> [seconds, default 600] [output dir, default ./soak-out]
set -uo pipefail

game=${1:?path to vextoron}
seconds=${2:-600}
out=${3:-soak-out}
mkdir -p "$out"
csv=$out/soak-rss.csv
here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "soak: FAIL: $*" >&2
  xdotool keyup space Left Right Shift_L 2>/dev/null
  [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null
  exit 1
}

for tool in xdotool import convert Xvfb; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

for n in $(seq 100 140); do
  [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$n
  break
done
[[ -n ${xvfb_pid:-} ]] || fail "no free display number for Xvfb"
sleep 1

# Waits up to $2 seconds for a visible window named exactly VEXTORON of width $1; prints its id.
wait_window() {
  local width=$1 deadline=$(($(date +%s) + $2)) id w
  while (($(date +%s) < deadline)); do
    for id in $(xdotool search --onlyvisible --name '^VEXTORON$' 2>/dev/null); do
      w=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^WIDTH=//p')
      [[ $w == "$width" ]] && { echo "$id"; return 0; }
    done
    sleep 0.05
  done
  return 1
}

origin() {
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=')"
  wx=$X
  wy=$Y
}

click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.1
  xdotool click 1
}

alive() {
  kill -0 "$pid" 2>/dev/null && [[ $(sed -n 's/^State:[[:space:]]*\(.\).*/\1/p' "/proc/$pid/status" 2>/dev/null) != Z ]]
}

rss_kb() {
  sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$pid/status" 2>/dev/null
}

# The screen state of the last frame the game logged.
last_state() {
  tail -n 1 "$frames" 2>/dev/null | awk '$1 == "frame" { print $4 }'
}

menu_face=$(convert "$here/../assets/Images/menubutton.png" -format \
  "%[fx:int(255*p{10,34}.r+0.5)] %[fx:int(255*p{10,34}.g+0.5)] %[fx:int(255*p{10,34}.b+0.5)]" info:)
is_menu() {
  local seen want i d
  seen=($(import -window root -crop "1x1+$((wx + 295))+$((wy + 269))" +repage -format \
    "%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]" info: 2>/dev/null))
  want=($menu_face)
  ((${#seen[@]} == 3)) || return 1
  for i in 0 1 2; do
    d=$((seen[i] - want[i]))
    ((d < -8 || d > 8)) && return 1
  done
  return 0
}

frames=$out/soak-frames.log
rm -f "$frames"
SDL_AUDIODRIVER=dummy VEXTORON_FRAME_LOG=$frames "$game" >"$out/soak-stderr.log" 2>&1 &
pid=$!

chooser=$(wait_window 340 15) || fail "the chooser window did not appear"
sleep 0.5
origin "$chooser"
click_at $((wx + 60)) $((wy + 72))
game_window=$(wait_window 800 15) || fail "the game window did not appear after Windowed"
origin "$game_window"
xdotool mousemove $((wx + 20)) $((wy + 20))
sleep 3

echo "seconds,rss_kb,screen_state" >"$csv"
echo "0,$(rss_kb),$(last_state)" >>"$csv"

# The menu entries a click may pick: the top slot (CREDITS or RESUME), TUTORIAL, OPTIONS, NEW GAME;
# weighted so that most of the run is spent playing.
entries=(265 265 265 330 330 400 470 470 470)
keys=(Left Right space Escape Return Shift_L)
# The logged screen state steers the odds so every screen is visited and play gets most of the time:
# on the menu a click is likely, on the credits and options Escape is, elsewhere driving and firing.
start=$(date +%s)
next_sample=$((start + 10))
actions=0
while (($(date +%s) - start < seconds)); do
  alive || fail "the game died after $(($(date +%s) - start)) s (see $out/soak-stderr.log)"
  state=$(last_state)
  roll=$((RANDOM % 100))
  case $state in
    1) ((roll < 70)) && roll=0 || roll=$((20 + roll % 80)) ;;
    0 | 4) ((roll < 25)) && roll=12 || roll=$((20 + roll % 80)) ;;
    *) ((roll < 12)) && roll=$((20 + roll % 80)) ;;
  esac
  if ((roll < 12)); then
    click_at $((wx + 300 + RANDOM % 200)) $((wy + entries[RANDOM % ${#entries[@]}]))
    xdotool mousemove $((wx + 20)) $((wy + 20))
  elif ((roll < 15)); then
    xdotool key Escape
  elif ((roll < 25)); then
    xdotool key Return
  elif ((roll < 85)); then
    # Drive for a while, sometimes fast, mostly firing.
    held=$( ((RANDOM % 2 == 0)) && echo Left || echo Right)
    ((RANDOM % 3 == 0)) && held="$held Shift_L"
    ((RANDOM % 4 != 0)) && held="$held space"
    xdotool keydown $held
    sleep "0.$((2 + RANDOM % 8))"
    xdotool keyup $held
  else
    xdotool key "${keys[RANDOM % ${#keys[@]}]}"
  fi
  actions=$((actions + 1))
  sleep "0.$((RANDOM % 3))"
  now=$(date +%s)
  if ((now >= next_sample)); then
    echo "$((now - start)),$(rss_kb),$(last_state)" >>"$csv"
    next_sample=$((next_sample + 10))
  fi
done
xdotool keyup space Left Right Shift_L 2>/dev/null
alive || fail "the game died at the end of the run"

# Back to the menu (Escape leaves every other screen), then QUIT.
for try in $(seq 1 10); do
  sleep 0.5
  is_menu && break
  xdotool key Escape
done
is_menu || fail "could not get back to the menu at the end"
click_at $((wx + 400)) $((wy + 540))
wait "$pid"
code=$?
pid=
kill "$xvfb_pid" 2>/dev/null
((code == 0)) || fail "the game exited with code $code after QUIT"
awk '$1 == "frame" { n[$4]++ } END { printf "frames by screen state:"; for (k in n) printf " %s:%d", k, n[k]; print "" }' \
  "$frames"
echo "soak: ok: $seconds s, $actions random actions, exit 0; RSS samples in $csv"
