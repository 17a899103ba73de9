#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs: "build" to build and run it, "test" adds what the
# tests use, "assets" what the asset generators use, "package" what making and checking the Debian
# package uses. Only missing packages are installed.
set -euo pipefail

build=(g++ cmake ninja-build pkg-config libsdl2-dev libepoxy-dev libx11-dev libpng-dev zlib1g-dev
       libvorbis-dev libogg-dev libgl1-mesa-dri)
test=(libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick sox
      clang clang-format libclang-rt-14-dev procps git python3 openbox wmctrl)
assets=(python3 python3-pil python3-numpy fonts-dejavu-core sox vorbis-tools console-setup-linux)
package=(dpkg-dev binutils lintian appstream desktop-file-utils man-db groff-base gzip)

wanted=()
for set in "$@"; do
  case "$set" in
    build) wanted+=("${build[@]}") ;;
    test) wanted+=("${build[@]}" "${test[@]}") ;;
    assets) wanted+=("${assets[@]}") ;;
    package) wanted+=("${build[@]}" "${package[@]}") ;;
    *) echo "deps.sh: unknown package set '$set' (build, test, assets, package)" >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
