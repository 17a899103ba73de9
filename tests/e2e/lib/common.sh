# Helpers shared by the scripts that drive the built game under Xvfb like a player (sourced, not run).
# The sourcing script sets script_name (the prefix of its FAIL line) and may set step (the part of the
# journey it is in), release_keys=1 (when a failure can come while it holds keys down) and game_log
# (the file the game's stderr goes to, shown with a failure).

# Prints the failure, ends the game and a private Xvfb, and exits 1.
fail() {
  echo "$script_name: FAIL${step:+ at \"$step\"}: $*" >&2
  if [[ -s ${game_log:-} ]]; then
    echo "$script_name: the game said:" >&2
    tail -n 5 "$game_log" | sed 's/^/  /' >&2
  fi
  ((${release_keys:-0})) && xdotool keyup space Left Right Shift_L 2>/dev/null
  [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null
  stop_xvfb
  exit 1
}

stop_xvfb() {
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null
}

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
}

# Starts a private Xvfb on the first display number from $1 to $2 that it can take, waits until it is
# ready and exports DISPLAY; xvfb_pid is left unset when none can be had. Xvfb itself takes the number
# (its lock file), so servers started at the same time never share one: a server that finds its number
# taken exits, and the next number is tried.
start_xvfb() {
  local n fifo number pid
  xvfb_pid=
  fifo=$(mktemp -u)
  mkfifo "$fifo" || return 0
  for n in $(seq "$1" "$2"); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    pid=$!
    number=
    read -r -t 15 number <"$fifo"
    if [[ $number == "$n" ]]; then
      xvfb_pid=$pid
      export DISPLAY=:$n
      break
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -f "$fifo"
}

# Run on the display we were given, or on a private Xvfb.
use_display_or_xvfb() {
  if [[ -z ${DISPLAY:-} ]]; then
    start_xvfb 60 99
  fi
}

now_us() { date +%s%6N; }

# Waits for the game ($pid) to end, polling $1 times $2 seconds apart; fails with $3 when it still runs.
# Sets `code` to its exit code and clears pid.
await_exit() {
  local i
  for i in $(seq "$1"); do
    kill -0 "$pid" 2>/dev/null || break
    sleep "$2"
  done
  kill -0 "$pid" 2>/dev/null && fail "$3"
  wait "$pid"
  code=$?
  pid=
}

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

# Picks Windowed in the chooser (its button spans (10, 60) - (110, 84)) and waits for the game window:
# sets chooser and game_window, and wx, wy to the game window's origin. $1: seconds to wait for each.
choose_windowed() {
  local seconds=${1:-15}
  chooser=$(wait_window 340 "$seconds") || fail "the chooser window did not appear"
  sleep 0.5
  origin "$chooser"
  click_at $((wx + 60)) $((wy + 72))
  game_window=$(wait_window 800 "$seconds") || fail "the 800 x 600 game window did not appear after Windowed"
  origin "$game_window"
}

# Screenshot of the 800 x 600 (or chooser) window into $2.
shot() {
  local id=$1 file=$2
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

# Clicks at ($1, $2) after letting the pointer rest there for $3 seconds (0.15 unless given).
click_at() {
  xdotool mousemove "$1" "$2"
  sleep "${3:-0.15}"
  xdotool click 1
}

# Fails unless the game's recording $1 (raw 16-bit stereo at 44.1 kHz) holds audible sound; the RMS
# amplitude is left in rms.
check_sound() {
  [[ -s $1 ]] || fail "nothing was written to the sound output"
  rms=$(sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -n stat 2>&1 | sed -n 's/^RMS *amplitude: *//p')
  [[ -n $rms ]] || fail "sox could not read the recorded sound"
  awk -v r="$rms" 'BEGIN { exit !(r > 0.001) }' || fail "the recorded sound is silent (RMS $rms)"
}
