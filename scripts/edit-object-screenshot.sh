#!/usr/bin/env bash
# Screenshots of the Edit Object sheet's pages on a virtual X screen:
#   scripts/edit-object-screenshot.sh [build folder]
# Writes build/screenshots/edit-object-<page>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target edit_object_screenshot
mkdir -p build/screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$build/tests/dialogs/edit_object_screenshot" build/screenshots
ls build/screenshots/edit-object-*.png
