#!/usr/bin/env bash
# Builds the game (installing any missing Debian packages) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh build
cmake -S . -B build/play -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_TESTS=OFF -DVX_BENCH=OFF >/dev/null
cmake --build build/play --target vextoron
exec build/play/vextoron
