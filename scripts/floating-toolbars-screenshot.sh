#!/bin/sh
# Screenshot of the program after View/Float All, with the View menu open again over the floating
# Beginner toolbar, under a virtual X server:
#   scripts/floating-toolbars-screenshot.sh [build folder]
# Writes build/<folder>/screenshots/floating-toolbars.png.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target tavrolin objects_folder
mkdir -p "$build/screenshots"
input="$PWD/scripts/x11-input.py"
TAVROLIN_SHOT_DELAY=0.5 TAVROLIN_BEFORE_SHOT="sleep 3; $input click 96 8; sleep 0.5; $input click 130 163; \
sleep 0.5; $input click 96 8; sleep 0.5" \
  scripts/program-window.sh "$build/bin/tavrolin" "" "$build/screenshots/floating-toolbars.png"
echo "$build/screenshots/floating-toolbars.png"
