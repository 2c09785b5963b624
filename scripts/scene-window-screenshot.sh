#!/bin/sh
# Screenshot of the program showing a scene file in its camera window, under a virtual X server:
#   scripts/scene-window-screenshot.sh [build folder]
# Writes a scene of ten shipped objects (build/<folder>/screenshots/shipped.tvr), opens it with the
# program and saves build/<folder>/screenshots/scene-window.png.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target tavrolin shipped_scene_writer
mkdir -p "$build/screenshots"
QT_QPA_PLATFORM=offscreen "$build/tests/views/shipped_scene_writer" "$build/Objects" "$build/screenshots/shipped.tvr"
scripts/program-window.sh "$build/bin/tavrolin" "$build/screenshots/shipped.tvr" "$build/screenshots/scene-window.png"
echo "$build/screenshots/scene-window.png"
