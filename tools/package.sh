#!/usr/bin/env bash
# Makes the Debian package build/package/vextoron_<version>_amd64.deb and checks it with
# tools/check_package.sh (installing any missing Debian packages first).
#
# By default the game is built afresh as a release in build/package-build, with Debian's hardening
# flags. --from DIR packages an already configured build tree instead and builds only the executable
# there (the test run packages its release build this way). --no-check leaves out the checks.
#
# Usage: tools/package.sh [--from BUILD_DIR] [--no-check]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/package-build
check=1
while (($#)); do
  case "$1" in
    --from) build=${2:?--from needs a build folder}; shift 2 ;;
    --no-check) check=0; shift ;;
    *) echo "package.sh: unknown argument '$1' (--from BUILD_DIR, --no-check)" >&2; exit 2 ;;
  esac
done

tools/deps.sh package
out=build/package
mkdir -p "$out"

if [[ $build == build/package-build ]]; then
  # Debian's build flags (stack protector, fortified calls, read-only relocations, immediate
  # binding); no debugging information, as the packaged executable is stripped anyway.
  flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1" | sed 's/\(^\| \)-g\( \|$\)/ /'; }
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_TESTS=OFF -DVX_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
elif [[ ! -f $build/CPackConfig.cmake ]]; then
  echo "package.sh: $build is not a configured build folder" >&2
  exit 2
fi
cmake --build "$build" --target vextoron -j 2

# cpack installs into its own staging folder under $build/cpack and writes the .deb there.
rm -rf "$build/cpack"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/cpack" >"$build/cpack.log" 2>&1 ||
  { cat "$build/cpack.log" >&2; exit 1; }
debs=("$build"/cpack/vextoron_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { echo "package.sh: cpack made no single .deb" >&2; exit 1; }
rm -f "$out"/vextoron_*.deb
cp "${debs[0]}" "$out/"
deb=$out/$(basename "${debs[0]}")
echo "$deb"

((check)) && tools/check_package.sh "$deb"
exit 0
