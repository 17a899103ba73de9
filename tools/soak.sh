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

script_name=soak
release_keys=1
source "$here/../tests/e2e/lib/common.sh"
need_tools xdotool import convert Xvfb

start_xvfb 100 140
[[ -n ${xvfb_pid:-} ]] || fail "no free display number for Xvfb"
sleep 1

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

menu_face=$(pixel "$here/../assets/Images/menubutton.png" 10 34)
is_menu() {
  local seen
  seen=($(import -window root -crop "1x1+$((wx + 295))+$((wy + 269))" +repage -format \
    "%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]" info: 2>/dev/null))
  ((${#seen[@]} == 3)) && same_colour "${seen[*]}" "$menu_face"
}

frames=$out/soak-frames.log
rm -f "$frames"
SDL_AUDIODRIVER=dummy VEXTORON_FRAME_LOG=$frames "$game" >"$out/soak-stderr.log" 2>&1 &
pid=$!

choose_windowed 15
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
    click_at $((wx + 300 + RANDOM % 200)) $((wy + entries[RANDOM % ${#entries[@]}])) 0.1
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
click_at $((wx + 400)) $((wy + 540)) 0.1
wait "$pid"
code=$?
pid=
kill "$xvfb_pid" 2>/dev/null
((code == 0)) || fail "the game exited with code $code after QUIT"
awk '$1 == "frame" { n[$4]++ } END { printf "frames by screen state:"; for (k in n) printf " %s:%d", k, n[k]; print "" }' \
  "$frames"
echo "soak: ok: $seconds s, $actions random actions, exit 0; RSS samples in $csv"
