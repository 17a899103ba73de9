#!/usr/bin/env bash
# Frame pacing in play under a private Xvfb: the game is started with VEXTORON_FRAME_LOG, Windowed is
# picked, NEW GAME clicked, and `frames` frames of play (screen state 2) are logged while the tank drives
# and fires (fire held, the direction changed every 3 s); then the bare SDL2 + OpenGL window, at the
# game's 800 x 600, runs the same number of frames paced the same way.
# Prints mean, standard deviation, 99th percentile and worst frame time of both, and the load.
# Where the kernel's memory monitor (DAMON, a kdamond thread) runs and perf can watch the scheduler, the
# times it ran are recorded too: each of its sampling passes makes the next frame sent to the X server
# late in any program on a virtual machine, so the figures are printed again without the frames it
# touched, with how many those were.
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
# With $3 (a file of monitor run times, wall-clock microseconds), frames during which it ran (or that
# ended within 2 ms after) are left out and counted.
stats() {
  awk -v state="$2" -v runs="${3:-}" '
    BEGIN { while (runs != "" && (getline t < runs) > 0) run[++n] = t }
    $1 == "frame" && $4 == state && $3 > 0 {
      for (i = 1; i <= n; ++i) if (run[i] > $2 - $3 - 2000 && run[i] <= $2) { print "touched"; next }
      print $3 / 1000
    }' "$1" | tail -n "$frames" | grep -v touched |
    sort -n | awk '{ v[NR] = $1; s += $1; q += $1 * $1 } END {
      m = s / NR; p = v[int(NR * 0.99 + 0.5)]; if (p == "") p = v[NR]
      printf "%5d frames: mean %.3f ms, sd %.3f, p99 %.2f, worst %.2f\n", NR, m, sqrt(q / NR - m * m), p, v[NR] }'
}

# Runs of the kernel's memory monitor, recorded while both windows run (perf's clock is the monotonic one;
# the frame logs use the wall clock).
monitor=$(pgrep -x 'kdamond\.[0-9]+' | head -n 1)
monitor_runs=
perf_pid=
driver=
# A failure on the way must not leave the system-wide recording or the driving running.
trap '[[ -n $perf_pid ]] && kill -INT "$perf_pid" 2>/dev/null; [[ -n $driver ]] && kill "$driver" 2>/dev/null' EXIT
if [[ -n $monitor ]] && command -v perf >/dev/null && command -v python3 >/dev/null; then
  monitor_data=$(mktemp)
  perf record -q -k mono -a -e sched:sched_switch --filter "next_pid == $monitor" -o "$monitor_data" \
    >/dev/null 2>&1 &
  perf_pid=$!
fi

VEXTORON_FRAME_LOG=$log "$game" >/dev/null 2>&1 &
pid=$!
choose_windowed 30
xdotool mousemove $((wx + 20)) $((wy + 20))
sleep 2
click_at $((wx + 400)) $((wy + 470)) 0.2  # NEW GAME
xdotool mousemove $((wx + 20)) $((wy + 20))
load_start=$(cut -d' ' -f1 /proc/loadavg)
# Fire held all along and the direction changed every 3 s, by one xdotool run that sleeps between the
# changes: starting a client for each change, or counting the logged frames every few seconds, would cost
# the machine a burst of work that lands in the frames measured. The log is looked at only once the frames
# should be there.
seconds=$(((frames + 60) * 1667 / 100000 + 2))
drive=(keydown space Right)
held=Right
for ((t = 0; t < seconds + 30; t += 3)); do
  next=$([[ $held == Right ]] && echo Left || echo Right)
  drive+=(sleep 3 keyup "$held" keydown "$next")
  held=$next
done
xdotool "${drive[@]}" &
driver=$!
sleep "$seconds"
while (($(awk '$1 == "frame" && $4 == 2' "$log" | wc -l) < frames + 60)); do sleep 1; done
kill "$driver" 2>/dev/null
wait "$driver" 2>/dev/null
driver=
xdotool keyup Left Right space
kill "$pid"
wait "$pid" 2>/dev/null
pid=
BARE_WINDOW_SIZE=800x600 BARE_WINDOW_FRAMES=$((frames + 1)) VEXTORON_FRAME_LOG=$bare_log "$bare" >/dev/null 2>&1
load_end=$(cut -d' ' -f1 /proc/loadavg)
if [[ -n $perf_pid ]]; then
  kill -INT "$perf_pid"
  wait "$perf_pid" 2>/dev/null
  perf_pid=
  monitor_runs=$(mktemp)
  offset=$(python3 -c 'import time; print(time.clock_gettime_ns(time.CLOCK_REALTIME) // 1000 - time.clock_gettime_ns(time.CLOCK_MONOTONIC) // 1000)')
  perf script -i "$monitor_data" -F time 2>/dev/null | tr -d ' :' |
    awk -v offset="$offset" 'NF { printf "%.0f\n", $1 * 1000000 + offset }' >"$monitor_runs"
  rm -f "$monitor_data"
  [[ -s $monitor_runs ]] || monitor_runs=
fi
stop_xvfb
echo "load: $load_start at the start, $load_end at the end, on $(nproc) cores"
echo "game play  $(stats "$log" 2)"
echo "bare loop  $(stats "$bare_log" 0)"
if [[ -n $monitor_runs ]]; then
  # A pass can be scheduled in more than once; switches within 50 ms of the last count as one pass.
  every=$(awk 'NR == 1 || $1 - p > 50000 { if (NR > 1) { s += $1 - first; n++ } first = $1 } { p = $1 }
    END { if (n) printf "%.0f", s / n / 1000 }' "$monitor_runs")
  echo "the kernel's memory monitor ($(cat /proc/"$monitor"/comm 2>/dev/null || echo kdamond)) ran every ${every} ms;" \
    "without the frames it ran in:"
  echo "game play  $(stats "$log" 2 "$monitor_runs")"
  echo "bare loop  $(stats "$bare_log" 0 "$monitor_runs")"
  rm -f "$monitor_runs"
fi
rm -f "$log" "$bare_log"
