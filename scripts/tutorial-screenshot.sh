#!/bin/sh
# Screenshot of the program opening the first tutorial scene, under a virtual X server, once the
# start-up splash has closed:
#   scripts/tutorial-screenshot.sh [build folder]
# Writes build/<folder>/screenshots/tutorial1.png.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target tavrolin tutorial_scenes
mkdir -p "$build/screenshots"
TAVROLIN_SHOT_DELAY=3 scripts/program-window.sh "$build/bin/tavrolin" "$build/bin/Tutorial1.tvr" \
  "$build/screenshots/tutorial1.png"
echo "$build/screenshots/tutorial1.png"
