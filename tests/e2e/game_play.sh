#!/usr/bin/env bash
# A player's game: Windowed, NEW GAME, then driving and firing with the keys through a level's opening
# seconds. Screenshots of the far and near UFOs, smoke and explosions, the level text and the white line
# at y 425; the game's sounds must reach the sound output; Escape, QUIT and exit code 0.
# Usage: game_play.sh <path to vextoron> <artifacts dir>
set -uo pipefail

game=${1:?path to vextoron}
out=${2:?artifacts dir}
mkdir -p "$out"

fail() {
  echo "game_play: FAIL: $*" >&2
  [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null
  exit 1
}

for tool in xdotool import convert sox; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# Run on the display we were given, or on a private Xvfb.
if [[ -z ${DISPLAY:-} ]]; then
  for n in $(seq 60 99); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    break
  done
  sleep 1
fi

now_us() { date +%s%6N; }

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

# Window origin on the screen: sets wx, wy.
origin() {
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y)=')"
  wx=$X
  wy=$Y
}

# Screenshot of the 800 x 600 (or chooser) window into $2.
shot() {
  local id=$1 file=$2 w h
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$file" 2>/dev/null || fail "cannot take a screenshot"
}

# "r g b" of pixel (x, y) of an image.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# True when two "r g b" triples differ by at most 8 in every channel.
same_colour() {
  local a=($1) b=($2) i
  for i in 0 1 2; do
    local d=$((a[i] - b[i]))
    ((d < -8 || d > 8)) && return 1
  done
  return 0
}

click_at() {
  xdotool mousemove "$1" "$2"
  sleep 0.15
  xdotool click 1
}


audio=$out/game-audio.raw
rm -f "$audio"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio "$game" >"$out/game-stderr.log" 2>&1 &
pid=$!

chooser=$(wait_window 340 15) || fail "the chooser window did not appear"
sleep 0.5
origin "$chooser"
click_at $((wx + 60)) $((wy + 72))
game_window=$(wait_window 800 15) || fail "the 800 x 600 game window did not appear"
origin "$game_window"
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

[[ -s $audio ]] || fail "nothing was written to the sound output"
rms=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$audio" -n stat 2>&1 | sed -n 's/^RMS *amplitude: *//p')
[[ -n $rms ]] || fail "sox could not read the recorded sound"
awk -v r="$rms" 'BEGIN { exit !(r > 0.001) }' || fail "the recorded sound is silent (RMS $rms)"
echo "audio_rms $rms" >"$out/game-audio.txt"

[[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null
echo "game_play: ok"
exit 0
