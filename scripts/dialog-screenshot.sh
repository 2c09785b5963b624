#!/usr/bin/env bash
# Screenshots of dialogs built from the program's templates, on a virtual X screen:
#   scripts/dialog-screenshot.sh [build folder] [template id ...]
# Writes build/screenshots/dialog-<id>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
shift || true
ids=("$@")
[ ${#ids[@]} -gt 0 ] || ids=(10001 10002 10201 10202 10209 10005 10008)
cmake --build "$build" --target dialog_screenshot
mkdir -p build/screenshots
for id in "${ids[@]}"; do
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    "$build/tests/resources/dialog_screenshot" "$id" "build/screenshots/dialog-$id.png"
  echo "build/screenshots/dialog-$id.png"
done
