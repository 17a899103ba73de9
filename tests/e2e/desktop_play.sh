#!/usr/bin/env bash
# Desktop play under a real window manager (openbox on a private Xvfb): the menu walked with the keys,
# F11 and Alt+Enter to full screen and back during play, another window taking the focus (the game
# pauses on the menu and waits for RESUME), M muting the recorded sound and back, the window resized
# and maximised with the picture letterboxed, and QUIT clicked through the resized window's mapping.
# Usage: desktop_play.sh <path to vextoron> <artifacts dir>
set -uo pipefail

game=${1:?path to vextoron}
out=${2:?artifacts dir}
mkdir -p "$out"

script_name=desktop_play
source "$(dirname "$0")/lib/common.sh"
need_tools xdotool import convert sox openbox wmctrl xmessage xwininfo

# Under a reparenting window manager xdotool counts the frame's offset twice; xwininfo gives the
# client area's true place on the screen.
origin() {
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "wx=" $4 } /Absolute upper-left Y/ { print "wy=" $4 }')"
}
shot() {
  local id=$1 file=$2 w h
  origin "$id"
  eval "$(xwininfo -id "$id" | awk '/^ *Width:/ { print "w=" $2 } /^ *Height:/ { print "h=" $2 }')"
  import -window root -crop "${w}x${h}+${wx}+${wy}" +repage "$file" 2>/dev/null || fail "cannot take a screenshot"
}

# A private display: the window manager must not stay behind on a shared one.
unset DISPLAY
start_xvfb 60 99
[[ -n ${xvfb_pid:-} ]] || fail "no free display for a private Xvfb"
sleep 1
openbox >/dev/null 2>&1 &
wm_pid=$!
cleanup() {
  kill "$wm_pid" 2>/dev/null
  [[ -n ${other_pid:-} ]] && kill "$other_pid" 2>/dev/null
}
trap cleanup EXIT
sleep 1

audio=$out/desktop-audio.raw
rm -f "$audio"
game_log=$out/desktop-stderr.log
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio "$game" >"$game_log" 2>&1 &
pid=$!

step="chooser"
choose_windowed 15
xdotool windowactivate --sync "$game_window" 2>/dev/null
xdotool mousemove $((wx + 790)) $((wy + 590))
sleep 0.5

size() {
  xwininfo -id "$game_window" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }'
}
# Waits up to 3 s for the game window to take the size $1.
wait_size() {
  local i
  for i in $(seq 30); do
    [[ $(size) == "$1" ]] && return 0
    sleep 0.1
  done
  fail "the window is $(size), not $1"
}
# Counts white pixels of ten on the play line, which lies at row $1 (or the row below, where a scaled
# line may fall) between x $2 and $3 of image $4. One convert call reads both rows.
white_on_line() {
  local y=$1 x0=$2 x1=$3 image=$4
  convert "$image" -crop "$((x1 - x0))x2+${x0}+${y}" +repage -depth 8 txt:- |
    awk -v w=$((x1 - x0)) -F'[,: ()]+' 'NR > 1 {
        if ($3 >= 245 && $4 >= 245 && $5 >= 245) white[$1 "," $2] = 1
      }
      END {
        n = 0
        for (i = 0; i < 10; ++i) {
          x = int(w * (2 * i + 1) / 20)
          if (white[x ",0"] || white[x ",1"]) ++n
        }
        print n
      }'
}
in_play() { (($(white_on_line "$@") >= 7)); }

step="menu at the keyboard"
# From no highlight, Down four times lands on NEW GAME.
xdotool key Down Down Down Down Return
sleep 0.7
shot "$game_window" "$out/desktop-play.png"
in_play 425 0 800 "$out/desktop-play.png" || fail "Down x4 and Enter did not start a game"

step="F11 and Alt+Enter"
xdotool key F11
wait_size 1280x1024
sleep 0.5
shot "$game_window" "$out/desktop-fullscreen.png"
# 1280 x 960 inside bars of 32 rows above and below.
same_colour "$(pixel "$out/desktop-fullscreen.png" 640 10)" "0 0 0" || fail "no bar above the full-screen picture"
in_play $((32 + 425 * 8 / 5)) 0 1280 "$out/desktop-fullscreen.png" || fail "the game is not running full screen"
xdotool key F11
wait_size 800x600
xdotool key alt+Return
wait_size 1280x1024
xdotool key alt+Return
wait_size 800x600
sleep 0.5
origin "$game_window"
shot "$game_window" "$out/desktop-window-again.png"
in_play 425 0 800 "$out/desktop-window-again.png" || fail "play did not go on in the window after the switches"

step="mute"
bytes_per_second=176400
sleep 1
xdotool key m
sleep 0.2
muted_from=$(stat -c %s "$audio")
sleep 2
muted_to=$(stat -c %s "$audio")
xdotool key m
sleep 1.2
heard_to=$(stat -c %s "$audio")
# RMS of bytes [$1, $2) of the recording.
rms_of() {
  local from=$(($1 / 4 * 4)) count=$((($2 - $1) / 4 * 4))
  tail -c +$((from + 1)) "$audio" | head -c "$count" |
    sox -t raw -r 44100 -e signed -b 16 -c 2 - -n stat 2>&1 | sed -n 's/^RMS *amplitude: *//p'
}
quiet=$(rms_of $((muted_from + bytes_per_second / 2)) $((muted_to - bytes_per_second / 5)))
loud=$(rms_of $((muted_to + bytes_per_second / 2)) "$heard_to")
echo "muted_rms $quiet unmuted_rms $loud" >"$out/desktop-mute.txt"
awk -v r="$quiet" 'BEGIN { exit !(r != "" && r < 0.0002) }' || fail "the sound went on while muted (RMS $quiet)"
awk -v r="$loud" 'BEGIN { exit !(r != "" && r > 0.001) }' || fail "the sound did not come back (RMS $loud)"

step="focus taken by another window"
xmessage -geometry 240x60+1000+40 "another program" &
other_pid=$!
sleep 1
shot "$game_window" "$out/desktop-focus-lost.png"
in_play 425 0 800 "$out/desktop-focus-lost.png" && fail "play went on while another window had the focus"
kill "$other_pid" 2>/dev/null
other_pid=
xdotool windowactivate --sync "$game_window" 2>/dev/null
sleep 0.7
shot "$game_window" "$out/desktop-focus-back.png"
in_play 425 0 800 "$out/desktop-focus-back.png" && fail "the game did not wait for RESUME"
# NEW GAME is still lit; three times Up is RESUME.
xdotool key Up Up Up Return
sleep 0.7
shot "$game_window" "$out/desktop-resumed.png"
in_play 425 0 800 "$out/desktop-resumed.png" || fail "RESUME at the keyboard did not bring the game back"

step="resize and maximise"
wmctrl -r VEXTORON -e 0,-1,-1,1100,700 || fail "wmctrl cannot resize the game window"
wait_size 1100x700
sleep 0.5
shot "$game_window" "$out/desktop-resized.png"
# 7/6 of the picture: 933 x 700, bars left and right.
(($(white_on_line 495 0 80 "$out/desktop-resized.png") == 0)) || fail "the line runs into the bar left of the picture"
in_play 495 84 1016 "$out/desktop-resized.png" || fail "the picture does not fill the resized window"
wmctrl -r VEXTORON -b add,maximized_vert,maximized_horz
sleep 0.7
shot "$game_window" "$out/desktop-maximised.png"
wmctrl -r VEXTORON -b remove,maximized_vert,maximized_horz
sleep 0.5
wmctrl -r VEXTORON -e 0,-1,-1,860,640
wait_size 860x640
sleep 0.5
shot "$game_window" "$out/desktop-whole-scale.png"
# A whole-number scale: the 800 x 600 picture unscaled, 30 and 20 pixels in.
(($(white_on_line 445 0 30 "$out/desktop-whole-scale.png") == 0)) || fail "the line runs into the bar left of the picture"
in_play 445 30 830 "$out/desktop-whole-scale.png" || fail "the picture is not shown 1:1 in the 860 x 640 window"

step="QUIT through the mapped pointer"
xdotool key Escape
sleep 0.6
origin "$game_window"
click_at $((wx + 30 + 400)) $((wy + 20 + 548)) 0.3
await_exit 50 0.1 "QUIT clicked in the resized window did not end the game"
((code == 0)) || fail "the game exited with code $code"

cleanup
stop_xvfb
echo "desktop_play: ok"
exit 0
