#!/usr/bin/env bash
# Frame pacing in play under a private Xvfb: the game is started with VEXTORON_FRAME_LOG, Windowed is
# picked, NEW GAME clicked, and `frames` frames of play (screen state 2) are logged while the tank drives
# and fires (fire held, the direction changed every 3 s); then the bare SDL2 + OpenGL window, at the
# game's 800 x 600, runs the same number of frames paced the same way.
# Prints mean, standard deviation, 99th percentile and worst frame time of both, and the load.
# Usage: measure_pacing.sh <build dir> [frames, default 3600]
set -uo pipefail
build=${1:?build dir}
frames=${2:-3600}
script_name=measure_pacing
release_keys=1
source "$(dirname "$0")/lib/measure.sh"
begin_measuring "$build" xdotool
log=$(mktemp)
bare_log=$(mktemp)

# Frame lengths in ms of the last `frames` logged frames in screen state $2 of log $1: mean sd p99 worst.
stats() {
  awk -v state="$2" '$1 == "frame" && $4 == state && $3 > 0 { print $3 / 1000 }' "$1" | tail -n "$frames" |
    sort -n | awk '{ v[NR] = $1; s += $1; q += $1 * $1 } END {
      m = s / NR; p = v[int(NR * 0.99 + 0.5)]; if (p == "") p = v[NR]
      printf "%5d frames: mean %.3f ms, sd %.3f, p99 %.2f, worst %.2f\n", NR, m, sqrt(q / NR - m * m), p, v[NR] }'
}

VEXTORON_FRAME_LOG=$log "$game" >/dev/null 2>&1 &
pid=$!
choose_windowed 30
xdotool mousemove $((wx + 20)) $((wy + 20))
sleep 2
click_at $((wx + 400)) $((wy + 470)) 0.2  # NEW GAME
xdotool mousemove $((wx + 20)) $((wy + 20))
load_start=$(cut -d' ' -f1 /proc/loadavg)
# Fire held all along and the direction changed every 3 s: one short xdotool run at a time, so that the
# driving costs the machine little next to the frames measured.
xdotool keydown space Right
held=Right
while (($(awk '$1 == "frame" && $4 == 2' "$log" | wc -l) < frames + 60)); do
  sleep 3
  next=$([[ $held == Right ]] && echo Left || echo Right)
  xdotool keyup $held keydown $next
  held=$next
done
xdotool keyup $held space
kill "$pid"
wait "$pid" 2>/dev/null
pid=
BARE_WINDOW_SIZE=800x600 BARE_WINDOW_FRAMES=$((frames + 1)) VEXTORON_FRAME_LOG=$bare_log "$bare" >/dev/null 2>&1
load_end=$(cut -d' ' -f1 /proc/loadavg)
stop_xvfb
echo "load: $load_start at the start, $load_end at the end, on $(nproc) cores"
echo "game play  $(stats "$log" 2)"
echo "bare loop  $(stats "$bare_log" 0)"
rm -f "$log" "$bare_log"
