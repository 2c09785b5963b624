#!/usr/bin/env bash
# Screenshots of the Preferences sheet at each of its pages, on a virtual X screen, with the
# preferences of a fresh start:
#   scripts/preferences-screenshot.sh [build folder] [page index ...]
# Writes build/screenshots/preferences-<index>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
shift || true
pages=("$@")
[ ${#pages[@]} -gt 0 ] || pages=(0 1 2 3 4 5 6 7)
cmake --build "$build" --target preferences_screenshot
mkdir -p build/screenshots
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
for page in "${pages[@]}"; do
  HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
    "$build/tests/dialogs/preferences_screenshot" "$page" "build/screenshots/preferences-$page.png"
  echo "build/screenshots/preferences-$page.png"
done
