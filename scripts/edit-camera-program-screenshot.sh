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
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$build/bin/tavrolin" \
  TAVROLIN_SCENE="$build/screenshots/shipped.tvr" TAVROLIN_SHOT="$build/screenshots/edit-camera-program.png" \
  TAVROLIN_SCRIPTS="$here"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  "$TAVROLIN_PROGRAM" "$TAVROLIN_SCENE" &
  pid=$!
  window=""
  for _ in $(seq 100); do
    window=$("$TAVROLIN_SCRIPTS/x11-window.py" find Tavrolin 2>/dev/null) && break
    sleep 0.1
  done
  if [ -z "$window" ]; then echo "no main window" >&2; kill $pid; exit 1; fi
  sleep 2
  "$TAVROLIN_SCRIPTS/x11-input.py" click 200 81
  sleep 1
  "$TAVROLIN_SCRIPTS/x11-input.py" key Control_L+m
  sleep 2
  "$TAVROLIN_SCRIPTS/x11-window.py" screenshot "$TAVROLIN_SHOT"
  "$TAVROLIN_SCRIPTS/x11-input.py" key Escape
  sleep 1
  "$TAVROLIN_SCRIPTS/x11-window.py" close "$window"
  wait $pid
'
echo "$build/screenshots/edit-camera-program.png"
