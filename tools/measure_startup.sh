#!/usr/bin/env bash
# Start-up time of the game against the bare SDL2 + OpenGL window, under a private Xvfb: from the launch
# to the first frame shown in the window (the game's mode chooser; the bare program's own 340 x 100
# window), taken from the "chooser_first_frame" mark both write to VEXTORON_FRAME_LOG. The two programs
# are started in turn, `runs` times each; the medians and their difference are printed.
# Usage: measure_startup.sh <build dir> [runs, default 7]
set -uo pipefail
build=${1:?build dir}
runs=${2:-7}
script_name=measure_startup
source "$(dirname "$0")/lib/measure.sh"
begin_measuring "$build"
log=$(mktemp)

# Milliseconds from launch to the first frame of program $1.
time_to_first_frame() {
  : >"$log"
  local start mark
  start=$(now_us)
  VEXTORON_FRAME_LOG=$log "$1" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 400); do
    mark=$(awk '$1 == "chooser_first_frame" { print $2; exit }' "$log")
    [[ -n $mark ]] && break
    sleep 0.01
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
  [[ -n $mark ]] || fail "$1 showed no first frame"
  echo $(((mark - start) / 1000))
}


bare_ms=() game_ms=()
for run in $(seq 1 "$runs"); do
  bare_ms+=("$(time_to_first_frame "$bare")")
  game_ms+=("$(time_to_first_frame "$game")")
done
rm -f "$log"
stop_xvfb
b=$(printf '%s\n' "${bare_ms[@]}" | median)
g=$(printf '%s\n' "${game_ms[@]}" | median)
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $runs runs each, alternating"
echo "bare window: ${bare_ms[*]} ms"
echo "game:        ${game_ms[*]} ms"
awk -v b="$b" -v g="$g" 'BEGIN { printf "median: bare %d ms, game %d ms, difference %+d ms, ratio x%.2f\n", b, g, g - b, g / b }'
