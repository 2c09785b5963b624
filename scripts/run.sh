#!/usr/bin/env bash
# Sets up, builds and starts Tavrolin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVROLIN_TESTS=OFF -DTAVROLIN_BENCH=OFF
cmake --build build/release --target tavrolin NoMemoryDialog objects_folder
exec build/release/bin/tavrolin "$@"
