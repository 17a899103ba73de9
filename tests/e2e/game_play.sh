#!/usr/bin/env bash
# A player's game: Windowed, NEW GAME, then driving and firing with the keys through a level's opening
# seconds. Screenshots of the far and near UFOs, smoke and explosions, the level text and the white line
# at y 425; the game's sounds must reach the sound output; Escape, QUIT and exit code 0.
# Usage: game_play.sh <path to vextoron> <artifacts dir>
set -uo pipefail

game=${1:?path to vextoron}
out=${2:?artifacts dir}
mkdir -p "$out"

script_name=game_play
source "$(dirname "$0")/lib/common.sh"
need_tools xdotool import convert sox
use_display_or_xvfb

audio=$out/game-audio.raw
rm -f "$audio"
game_log=$out/game-stderr.log
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio "$game" >"$game_log" 2>&1 &
pid=$!

choose_windowed 15
sleep 1

# NEW GAME (the button at y 445).
click_at $((wx + 400)) $((wy + 479))
xdotool mousemove $((wx + 790)) $((wy + 590))
sleep 0.4
shot "$game_window" "$out/game-start.png"

# The white line across the screen at y 425: most of its pixels are white (UFOs may cover a few).
white=0
for x in 20 110 190 270 350 430 510 590 670 750; do
  same_colour "$(pixel "$out/game-start.png" $x 425)" "255 255 255" && white=$((white + 1))
done
((white >= 7)) || fail "the line at y 425 is missing ($white of 10 samples white)"
# The level text at the top left.
lit=$(convert "$out/game-start.png" -crop 220x40+0+5 -colorspace gray -format "%[fx:mean>0.005]" info:)
[[ $lit == 1 ]] || fail "no level text at the top left"
# The tank on its line: something drawn around (400, 500).
lit=$(convert "$out/game-start.png" -crop 64x64+368+468 -colorspace gray -format "%[fx:mean>0.02]" info:)
[[ $lit == 1 ]] || fail "no tank at (400, 500)"

# Drive right and fire, then left with Shift, firing all along.
xdotool keydown space
xdotool keydown Right
sleep 2
shot "$game_window" "$out/game-driving.png"
xdotool keyup Right
xdotool keydown Shift_L Left
sleep 2.5
xdotool keyup Left Shift_L
for i in 1 2 3 4 5 6; do
  sleep 1.5
  shot "$game_window" "$out/game-play-$i.png"
done
xdotool keyup space

# Above the line something is drawn (UFOs near or far, smoke, shots).
lit=$(convert "$out/game-play-6.png" -crop 800x400+0+20 -colorspace gray -format "%[fx:mean>0.003]" info:)
[[ $lit == 1 ]] || fail "nothing drawn above the line after ten seconds of play"

# Escape to the menu, then QUIT.
xdotool key Escape
sleep 0.8
shot "$game_window" "$out/game-menu.png"
click_at $((wx + 400)) $((wy + 540))
wait "$pid"
code=$?
pid=
((code == 0)) || fail "the game exited with code $code"

check_sound "$audio"
echo "audio_rms $rms" >"$out/game-audio.txt"

stop_xvfb
echo "game_play: ok"
exit 0
