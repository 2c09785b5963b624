#!/usr/bin/env bash
# Improves a camera window, copies its picture and reads the clipboard back as PNG from a second
# process (xclip), on a virtual X screen; compares it with the BMP export of the same view:
#   scripts/clipboard-round-trip.sh [build folder]
# Writes build/screenshots/camera-window-normal.png, camera-window-improved.png, exported.bmp and
# pasted.png; fails when the pasted picture differs from the exported one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target camera_image_output_check
mkdir -p build/screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" \
  "$build/tests/views/camera_image_output_check" build/screenshots
