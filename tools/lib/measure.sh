# The opening the measuring scripts share, and their median. Set script_name (and release_keys=1 where
# the script holds keys down) before sourcing this file.
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/e2e/lib/common.sh"

# Takes the game and the bare window from build dir $1 (as $game and $bare), checks them and the tools
# named after it, and starts a private Xvfb (silent audio unless SDL_AUDIODRIVER says otherwise).
begin_measuring() {
  build=$1
  shift
  game=$build/vextoron
  bare=$build/bench/bare_window
  need_tools Xvfb "$@"
  [[ -x $game && -x $bare ]] || fail "build vextoron and bare_window in $build first"
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  start_xvfb 140 180
  [[ -n ${xvfb_pid:-} ]] || fail "no free display number for Xvfb"
}

# The median of the whole numbers on standard input, one a line (rounded down between two).
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
