#!/bin/sh
# The program with a scene open, under a virtual X server: a click on the camera window's caption
# makes it active, Ctrl+M opens its Edit Camera sheet, whose screenshot is saved, then Escape
# closes the sheet and the program is closed.
#   scripts/edit-camera-program-screenshot.sh [build folder]
# Writes build/<folder>/screenshots/edit-camera-program.png.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.."
build=${1:-build/dev}
cmake --build "$build" --target tavrolin shipped_scene_writer
mkdir -p "$build/screenshots"
QT_QPA_PLATFORM=offscreen "$build/tests/views/shipped_scene_writer" "$build/Objects" "$build/screenshots/shipped.tvr"
input="$here/x11-input.py"
export TAVROLIN_BEFORE_SHOT="sleep 2; $input click 200 81; sleep 1; $input key Control_L+m; sleep 1"
export TAVROLIN_AFTER_SHOT="$input key Escape; sleep 1"
scripts/program-window.sh "$build/bin/tavrolin" "$build/screenshots/shipped.tvr" "$build/screenshots/edit-camera-program.png"
echo "$build/screenshots/edit-camera-program.png"
