#!/usr/bin/env bash
# Checks a Debian package of the game as a player's machine would see it:
#  - the control fields, with Depends computed from the executable's libraries (every library it
#    links must come from a package named there);
#  - the files in it: stripped executable in /usr/games, desktop entry starting it by that path,
#    icons of the sizes their folders name, AppStream metadata naming the desktop entry, manual page,
#    copyright and changelog, with the package version everywhere it is written;
#  - Debian's own checkers: lintian, appstreamcli, desktop-file-validate and man (errors fail, and so
#    do warnings from all but lintian, whose warnings are listed), and a simulated apt install;
#  - the unpacked executable under Xvfb: the window-mode chooser appears (a screenshot of it is kept
#    beside the package as <package>-chooser.png) and Quit ends the game with exit code 0.
# Usage: tools/check_package.sh build/package/vextoron_<version>_amd64.deb
set -uo pipefail
deb=$(realpath "${1:?path to the .deb}")
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."

script_name=check_package
source tests/e2e/lib/common.sh
need_tools dpkg-deb dpkg-query apt-get objdump file lintian appstreamcli desktop-file-validate man xdotool import convert

root=$(mktemp -d "${TMPDIR:-/tmp}/vextoron-package.XXXXXX")
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb cannot unpack $deb"

field() { dpkg-deb -f "$deb" "$1"; }

echo "== package fields"
version=$(field Version)
[[ $(field Package) == vextoron ]] || fail "Package is '$(field Package)', not vextoron"
[[ $(basename "$deb") == "vextoron_${version}_amd64.deb" ]] || fail "$(basename "$deb") does not match version $version"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Section) == games ]] || fail "Section is '$(field Section)', not games"
[[ $(field Priority) == optional ]] || fail "Priority is '$(field Priority)', not optional"
[[ -n $(field Maintainer) ]] || fail "no Maintainer"
[[ $(field Description | wc -l) -ge 3 ]] || fail "the Description has no long part"
depends=$(field Depends)
echo "Depends: $depends"
grep -Eq '(^|, )libsdl2-2\.0-0 \(>= [0-9.]+\)' <<<"$depends" || fail "Depends does not name libsdl2-2.0-0 with a version"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | awk 'NF { print $1 }')

game=$root/usr/games/vextoron
[[ -x $game ]] || fail "no executable /usr/games/vextoron"
file -b "$game" | grep -q ', stripped' || fail "/usr/games/vextoron is not stripped"
# Every library the executable links must come from a package that Depends names.
for lib in $(objdump -p "$game" | awk '$1 == "NEEDED" { print $2 }'); do
  path=$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ { print $NF; exit }')
  [[ -n $path ]] || fail "library $lib of the executable is not on this machine"
  owner=$(dpkg-query -S "$(realpath "$path")" 2>/dev/null | head -n 1 | cut -d: -f1)
  [[ -n $owner ]] || owner=$(dpkg-query -S "$path" 2>/dev/null | head -n 1 | cut -d: -f1)
  [[ -n $owner ]] || fail "no Debian package owns $path ($lib)"
  grep -Fxq "$owner" <<<"$depends_names" || fail "$lib comes from $owner, which Depends does not name"
done

echo "== files"
app_id=io.github.vextoron.Vextoron
entry=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
page=$root/usr/share/man/man6/vextoron.6.gz
doc=$root/usr/share/doc/vextoron
for f in "$entry" "$metainfo" "$page" "$doc/copyright" "$doc/changelog.gz"; do
  [[ -f $f ]] || fail "${f#"$root"} is missing"
done
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ $exec_line == /usr/games/vextoron ]] || fail "the desktop entry starts '$exec_line', not /usr/games/vextoron"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png
  [[ -f $png ]] || fail "no ${size} px icon $icon.png"
  file -b "$png" | grep -q "PNG image data, $size x $size," || fail "${png#"$root"} is not $size x $size"
done
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream metadata does not launch $app_id.desktop"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the AppStream id is not $app_id"
newest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[[ $newest == "$version" ]] || fail "the newest AppStream release is '$newest', the package is $version"
[[ $(zcat "$page" | sed -n 's/^\.TH VEXTORON 6 [^ ]* "VEXTORON \([^"]*\)".*/\1/p') == "$version" ]] ||
  fail "the manual page is not of version $version"
changelog_version=$(zcat "$doc/changelog.gz" | sed -n '1s/^vextoron (\([^)]*\)).*/\1/p')
[[ $changelog_version == "$version" ]] || fail "the changelog's newest entry is '$changelog_version', not $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" ||
  fail "the copyright file is not in the machine-readable format"
# The files the copyright notice names one by one must still be where it says.
for f in $(awk '/^Files:/ { on = 1; sub(/^Files:/, "") } /^[^ \t]/ && !/^Files:/ { on = 0 } on' "$doc/copyright"); do
  [[ $f == *'*'* || -e $f ]] || fail "the copyright notice names $f, which is not in the source tree"
done

echo "== desktop-file-validate"
said=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $said"
[[ -z $said ]] || { echo "$said"; fail "desktop-file-validate has remarks"; }
echo "no remarks"

echo "== appstreamcli validate"
# --strict fails on anything above pedantic hints, which are shown but allowed.
appstreamcli validate --no-net --pedantic --strict "$metainfo" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net --pedantic --strict "$root" || fail "appstreamcli validate-tree"

echo "== man --warnings"
said=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[[ -z $said ]] || { echo "$said"; fail "man has warnings about the manual page"; }
echo "no warnings"

echo "== lintian"
said=$(lintian --display-info --pedantic "$deb" 2>&1 | grep -v 'running with root privileges is not recommended')
[[ -n $said ]] && echo "$said"
grep -q '^E: ' <<<"$said" && fail "lintian reports errors"
echo "no errors ($(grep -c '^W: ' <<<"$said") warnings)"

echo "== apt install, simulated"
# What a player's "apt install ./vextoron_*.deb" would do here: the Depends must be satisfiable.
said=$(apt-get install --simulate -o Debug::NoLocking=1 "$deb" 2>&1) || { echo "$said"; fail "apt cannot install the package"; }
grep -q "^Inst vextoron ($version " <<<"$said" || { echo "$said"; fail "apt would not install vextoron $version"; }
grep "^Inst \|^Conf " <<<"$said"

echo "== the unpacked game under Xvfb"
unset DISPLAY WAYLAND_DISPLAY
start_xvfb 60 99
[[ -n ${xvfb_pid:-} ]] || fail "no free display for Xvfb"
sleep 1
shot_file=${deb%.deb}-chooser.png
SDL_AUDIODRIVER=dummy timeout 60 "$game" >"$root/stderr.log" 2>&1 &
pid=$!
chooser=$(wait_window 340 20) || fail "the chooser window did not appear: $(cat "$root/stderr.log")"
sleep 0.5
shot "$chooser" "$shot_file"
# The chooser's face is light grey (215, 215, 215) around its three buttons.
seen=$(pixel "$shot_file" 5 50)
same_colour "$seen" "215 215 215" || fail "the chooser is not drawn: saw ($seen) at (5, 50)"
# Quit is the third button, at (230, 60) - (330, 84) of the chooser.
origin "$chooser"
click_at $((wx + 280)) $((wy + 72))
await_exit 100 0.1 "the game still runs 10 s after Quit in the chooser"
((code == 0)) || fail "the game exited with code $code after Quit: $(cat "$root/stderr.log")"
stop_xvfb
echo "the chooser appeared (screenshot $shot_file) and Quit ended the game with exit code 0"
echo "== package checks passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
