#!/usr/bin/env bash
# Resident memory (VmRSS) of the game against the bare SDL2 + OpenGL window, under a private Xvfb.
# The bare window and the game are started in turn, `runs` times each; the medians are printed with the
# difference. The game is measured at the menu and again after `play_seconds` of play (NEW GAME, then
# driving and firing). A second baseline, the bare window at the game's own 800 x 600, shows how much of
# the difference is only the bigger window (its colour buffers and the image shared with the X server).
# Usage: measure_memory.sh <build dir> [play_seconds, default 30] [runs, default 3]
set -uo pipefail
build=${1:?build dir}
play_seconds=${2:-30}
runs=${3:-3}
script_name=measure_memory
release_keys=1
source "$(dirname "$0")/lib/measure.sh"
begin_measuring "$build" xdotool

rss_kb() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$1/status"; }

bare_kb=() big_kb=() menu_kb=() play_kb=()
for run in $(seq 1 "$runs"); do
  "$bare" &
  pid=$!
  sleep 3
  bare_kb+=("$(rss_kb "$pid")")
  kill "$pid"
  wait "$pid" 2>/dev/null
  BARE_WINDOW_SIZE=800x600 "$bare" &
  pid=$!
  sleep 3
  big_kb+=("$(rss_kb "$pid")")
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=

  "$game" >/dev/null 2>&1 &
  pid=$!
  choose_windowed 15
  xdotool mousemove $((wx + 20)) $((wy + 20))
  sleep 3
  menu_kb+=("$(rss_kb "$pid")")
  click_at $((wx + 400)) $((wy + 470)) 0.2  # NEW GAME
  xdotool mousemove $((wx + 20)) $((wy + 20))
  end=$(($(date +%s) + play_seconds))
  while (($(date +%s) < end)); do
    held=$( ((RANDOM % 2 == 0)) && echo Left || echo Right)
    xdotool keydown $held space
    sleep 0.4
    xdotool keyup $held space
  done
  play_kb+=("$(rss_kb "$pid")")
  kill "$pid"
  wait "$pid" 2>/dev/null
  pid=
done
stop_xvfb

b=$(printf '%s\n' "${bare_kb[@]}" | median)
m=$(printf '%s\n' "${menu_kb[@]}" | median)
p=$(printf '%s\n' "${play_kb[@]}" | median)
w=$(printf '%s\n' "${big_kb[@]}" | median)
echo "load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; $runs runs each, medians"
printf 'bare window          %7d kB\n' "$b"
printf 'bare window 800x600  %7d kB  (+%d kB)\n' "$w" $((w - b))
printf 'game at the menu     %7d kB  (+%d kB, x%.2f)\n' "$m" $((m - b)) "$(awk -v a="$m" -v b="$b" 'BEGIN { print a / b }')"
printf 'game after %4d s    %7d kB  (+%d kB, x%.2f)\n' "$play_seconds" "$p" $((p - b)) "$(awk -v a="$p" -v b="$b" 'BEGIN { print a / b }')"
printf 'against 800x600      menu +%d kB, after %d s +%d kB\n' $((m - w)) "$play_seconds" $((p - w))
