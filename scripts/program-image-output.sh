#!/bin/sh
# Opens a scene of shipped objects in the built program on a virtual X screen and uses the keys of
# Improve Camera Image (Ctrl+Q) and Copy Image (Ctrl+Alt+C) as a user does; then another program
# pastes the clipboard as PNG:
#   scripts/program-image-output.sh [build folder]
# Writes program-normal.png, program-improved.png (screenshots) and program-pasted.png into
# build/<folder>/screenshots.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/dev}
cd "$here/.."
cmake --build "$build" --target tavrolin shipped_scene_writer
mkdir -p "$build/screenshots"
QT_QPA_PLATFORM=offscreen "$build/tests/views/shipped_scene_writer" "$build/Objects" "$build/screenshots/shipped.tvr"
program=$(pwd)/$build/bin/tavrolin
scene=$build/screenshots/shipped.tvr  # relative: the program takes an argument starting with / as a switch
out=$(pwd)/$build/screenshots
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$program" TAVROLIN_OUT="$out" \
  TAVROLIN_SCENE="$scene" TAVROLIN_SCRIPTS="$here"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  x11="$TAVROLIN_SCRIPTS/x11-window.py"
  input="$TAVROLIN_SCRIPTS/x11-input.py"
  "$TAVROLIN_PROGRAM" "$TAVROLIN_SCENE" &
  pid=$!
  window=""
  for _ in $(seq 100); do window=$("$x11" find Tavrolin 2>/dev/null) && break; sleep 0.1; done
  if [ -z "$window" ]; then echo "no main window" >&2; kill $pid; exit 1; fi
  sleep 2
  "$input" click 600 470  # the camera window, on the background: activates it and selects nothing
  sleep 1
  "$x11" screenshot "$TAVROLIN_OUT/program-normal.png"
  "$input" key ctrl+q
  sleep 2
  "$x11" screenshot "$TAVROLIN_OUT/program-improved.png"
  "$input" key ctrl+alt+c
  sleep 2
  xclip -selection clipboard -t image/png -o > "$TAVROLIN_OUT/program-pasted.png"
  xclip -selection clipboard -t TARGETS -o
  "$x11" close "$window"
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then wait $pid || true; exit 0; fi
    sleep 0.1
  done
  kill $pid
'
file "$out/program-pasted.png"
