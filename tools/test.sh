#!/usr/bin/env bash
# Builds and runs every test (installing any missing Debian packages):
#  1. a release build with warnings as errors: unit tests, then the real window/sound tests and the
#     player journeys under Xvfb;
#  2. the Debian package made from that release build, checked by Debian's checkers, unpacked and
#     started under Xvfb (tools/package.sh, tools/check_package.sh);
#  3. an AddressSanitizer + UndefinedBehaviorSanitizer build: the unit and real tests;
#  4. a short libFuzzer run of each decoder.
# Screenshots and recordings go to build/release/artifacts, the package and its chooser screenshot to
# build/package.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh test package

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"; }

echo "== house style (clang-format)"
git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' |
  xargs -0 clang-format --dry-run --Werror

echo "== layers (includes only look down, engine through its doors, no include circles)"
python3 tools/check_layers.py

echo "== release build (warnings are errors)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_WERROR=ON -DVX_TESTS=ON -DVX_BENCH=ON >/dev/null
cmake --build build/release -j "$jobs"
(cd build/release && ctest -j "$jobs" -LE 'real|e2e' --timeout 300)
(cd build/release && xvfb ctest -L 'real|e2e' --timeout 300)

echo "== Debian package (from the release build)"
package_start=$(date +%s)
tools/package.sh --from build/release
echo "package step: $(($(date +%s) - package_start)) s"

echo "== sanitizer build (ASan + UBSan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_WERROR=ON -DVX_SANITIZE=ON -DVX_TESTS=ON -DVX_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd build/asan && ctest -j "$jobs" -LE 'real|e2e' --timeout 600)
# The GL driver is not built with the sanitizers and keeps allocations until exit.
(cd build/asan && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 xvfb ctest -L real --timeout 600)

if compgen -G "fuzz/*_fuzzer.cpp" >/dev/null; then
  echo "== fuzz smoke (libFuzzer, ASan + UBSan)"
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_FUZZ=ON \
    -DVX_SANITIZE=ON -DVX_TESTS=OFF -DVX_BENCH=OFF >/dev/null
  fuzzers=()
  for f in fuzz/*_fuzzer.cpp; do fuzzers+=("$(basename "$f" .cpp)"); done
  cmake --build build/fuzz -j "$jobs" --target "${fuzzers[@]}"
  for f in "${fuzzers[@]}"; do
    corpus=fuzz/corpus/${f%_fuzzer}
    work=build/fuzz/corpus-$f
    mkdir -p "$work"
    ASAN_OPTIONS=detect_leaks=1 build/fuzz/fuzz/"$f" -max_total_time="${FUZZ_SECONDS:-30}" -rss_limit_mb=2048 \
      -timeout=10 -print_final_stats=1 "$work" "$corpus" 2>&1 | tail -n 12
  done
fi
echo "== all tests passed"
