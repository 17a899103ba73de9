#!/usr/bin/env bash
# A player's trip through the shell: the chooser, Windowed, the menu (hovering a button), the credits
# and back, QUIT with the closing logo, and the exit code; the menu music must reach the sound output.
# Usage: shell_journey.sh <path to vextoron> <artifacts dir>
set -uo pipefail

game=${1:?path to vextoron}
out=${2:?artifacts dir}
here=$(cd "$(dirname "$0")" && pwd)
images=$here/../../assets/Images
mkdir -p "$out"

script_name=shell_journey
source "$(dirname "$0")/lib/common.sh"
need_tools xdotool import convert sox
use_display_or_xvfb

# Without a window system, or without an OpenGL 3.3 context, the game says so in one line ($1) and
# exits 1.
no_window_check() {
  local line=$1 said code
  shift
  said=$("$@" 2>&1 >/dev/null)
  code=$?
  ((code == 1)) || fail "$1 ...: exit code $code instead of 1 when no window can be had"
  [[ $(grep -cxF "$line" <<<"$said") == 1 ]] || fail "no window: expected one clear line, got: $said"
}
no_window_check "vextoron: no display to show a window on" \
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy timeout 20 "$game"
no_window_check "vextoron: cannot open a window with an OpenGL 3.3 context" \
  env MESA_GL_VERSION_OVERRIDE=3.0 SDL_AUDIODRIVER=dummy timeout 20 "$game"

frames=$out/shell-frames.log
audio=$out/shell-audio.raw
rm -f "$frames" "$audio"

start=$(now_us)
game_log=$out/shell-stderr.log
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio VEXTORON_FRAME_LOG=$frames "$game" >"$game_log" 2>&1 &
pid=$!

chooser=$(wait_window 340 15) || fail "the chooser window did not appear"
sleep 0.5
shot "$chooser" "$out/shell-chooser.png"
origin "$chooser"
# The Windowed button is at (10, 60) - (110, 84) of the chooser.
clicked=$(now_us)
click_at $((wx + 60)) $((wy + 72))

game_window=$(wait_window 800 15) || fail "the 800 x 600 game window did not appear after Windowed"
origin "$game_window"
# Park the pointer in a corner of the title picture, away from the buttons.
xdotool mousemove $((wx + 20)) $((wy + 20))
sleep 1.5
shot "$game_window" "$out/shell-menu.png"
# VX_UPDATE_SCREENSHOTS=1 refreshes the README's picture of the menu; test runs leave the tree alone.
if [ "${VX_UPDATE_SCREENSHOTS:-0}" = 1 ]; then
  cp "$out/shell-menu.png" "$here/../../docs/screenshots/menu.png"
fi

# The five faces stand at x 285 and y 235, 307, 376, 445, 514 (sampled 10 px in, 34 px down).
face=$(pixel "$images/menubutton.png" 10 34)
hover=$(pixel "$images/menubuttonhover.png" 10 34)
for y in 235 307 376 445 514; do
  seen=$(pixel "$out/shell-menu.png" 295 $((y + 34)))
  same_colour "$seen" "$face" || fail "menu button face at y $y: saw ($seen), expected ($face)"
done
seen=$(pixel "$out/shell-menu.png" 280 $((235 + 34)))
same_colour "$seen" "$face" && fail "something like a button face left of the buttons at x 280"

# Hovering QUIT lights it up.
xdotool mousemove $((wx + 480)) $((wy + 560))
sleep 0.5
shot "$game_window" "$out/shell-menu-hover.png"
seen=$(pixel "$out/shell-menu-hover.png" 295 $((514 + 34)))
same_colour "$seen" "$hover" || fail "QUIT under the mouse: saw ($seen), expected the hover face ($hover)"
seen=$(pixel "$out/shell-menu-hover.png" 295 $((445 + 34)))
same_colour "$seen" "$face" || fail "NEW GAME lit up although the mouse is on QUIT"
# Stay on the menu long enough to measure the frame pacing over 600 frames.
sleep 8

# CREDITS, then Escape back to the menu.
click_at $((wx + 400)) $((wy + 265))
sleep 4
shot "$game_window" "$out/shell-credits.png"
seen=$(pixel "$out/shell-credits.png" 295 $((235 + 34)))
same_colour "$seen" "$face" && fail "the credits screen still shows the menu"
lit=$(convert "$out/shell-credits.png" -crop 800x300+0+300 -colorspace gray -format "%[fx:mean>0.005]" info:)
[[ $lit == 1 ]] || fail "no credits letters on the lower half of the credits screen"
xdotool mousemove $((wx + 700)) $((wy + 100))
xdotool key Escape
sleep 0.7
shot "$game_window" "$out/shell-menu-again.png"
seen=$(pixel "$out/shell-menu-again.png" 295 $((235 + 34)))
same_colour "$seen" "$face" || fail "Escape on the credits did not bring the menu back"

# QUIT: the logo for about two seconds, then exit code 0.
click_at $((wx + 400)) $((wy + 540))
quit_at=$(date +%s%N)
sleep 0.6
shot "$game_window" "$out/shell-closing.png"
lit=$(convert "$out/shell-closing.png" -crop 120x100+340+250 -colorspace gray -format "%[fx:mean>0.02]" info:)
[[ $lit == 1 ]] || fail "no logo in the middle of the closing screen"
corner=$(convert "$out/shell-closing.png" -crop 200x150+0+0 -colorspace gray -format "%[fx:mean<0.01]" info:)
[[ $corner == 1 ]] || fail "the closing screen is not cleared around the logo"
wait "$pid"
code=$?
pid=
ended_ms=$((($(date +%s%N) - quit_at) / 1000000))
((code == 0)) || fail "the game exited with code $code after QUIT"
((ended_ms >= 1800 && ended_ms <= 4000)) || fail "the game ended $ended_ms ms after QUIT (about 2000 expected)"

# The menu music reached the sound output.
check_sound "$audio"

# Timings for the report: start to the chooser's first frame, Windowed to the menu's first frame, and
# the menu's frame times.
{
  chooser_us=$(awk '$1 == "chooser_first_frame" { print $2; exit }' "$frames")
  menu_us=$(awk '$1 == "game_first_frame" { print $2; exit }' "$frames")
  echo "start_to_chooser_ms $(((chooser_us - start) / 1000))"
  echo "windowed_click_to_menu_ms $(((menu_us - clicked) / 1000))"
  awk '$1 == "frame" && $4 == 1 && $3 > 0 { n++; if (n <= 5) next; t[++m] = $3 / 1000 }
       END { if (m > 600) m = 600; for (i = 1; i <= m; i++) { s += t[i]; if (t[i] > w) w = t[i] }
             mean = s / m; for (i = 1; i <= m; i++) v += (t[i] - mean) ^ 2
             printf "menu_frames %d mean_ms %.3f sd_ms %.3f worst_ms %.3f\n", m, mean, sqrt(v / m), w }' "$frames"
  echo "closing_to_exit_ms $ended_ms"
  echo "audio_rms $rms"
} | tee "$out/shell-timings.txt"

stop_xvfb
echo "shell_journey: ok"
exit 0
