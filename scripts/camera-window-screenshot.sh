#!/usr/bin/env bash
# Screenshots of a camera window showing a scene with cartoon lines, sharp and blurred by depth,
# on a virtual X screen:
#   scripts/camera-window-screenshot.sh [build folder]
# Writes build/screenshots/camera-window.png and camera-window-blurred.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target camera_window_screenshot
mkdir -p build/screenshots
run() {
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" \
    "$build/tests/views/camera_window_screenshot" "$@"
}
run build/screenshots/camera-window.png
run build/screenshots/camera-window-blurred.png 2
echo build/screenshots/camera-window.png build/screenshots/camera-window-blurred.png
