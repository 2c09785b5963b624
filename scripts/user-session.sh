#!/bin/sh
# Drives the built program as a user would under a virtual X server (with xdotool) and saves a
# screenshot after each step: a new scene, a cube dragged from the 3D Objects window into its
# camera window, a second window, undo, and File/Exit answered "No". Ends with the program's own
# exit status, so a crash or a heap fault on the way out shows.
#   scripts/user-session.sh PROGRAM OUTPUT_FOLDER
# TAVROLIN_DISPLAY_BITS=8 in the environment runs it on the simulated 8-bit display.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/../tests/support/lsan.supp:fast_unwind_on_malloc=0"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric" "$2"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n[General]\nWarn256ColorDisplay(yes/no)=no\n' \
  > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$1" TAVROLIN_OUT="$2" TAVROLIN_SCRIPTS="$here"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  shot() { sleep 2; "$TAVROLIN_SCRIPTS/x11-window.py" screenshot "$TAVROLIN_OUT/$1.png"; }
  drag() { xdotool mousemove $1 $2 mousedown 1; sleep 0.5
           for x in 300 400 500 600 640; do xdotool mousemove $x 220; sleep 0.2; done
           sleep 0.5; xdotool mouseup 1; }
  "$TAVROLIN_PROGRAM" & pid=$!
  for _ in $(seq 100); do "$TAVROLIN_SCRIPTS/x11-window.py" find Tavrolin >/dev/null 2>&1 && break; sleep 0.1; done
  shot 1-start
  xdotool key ctrl+n; shot 2-new-scene
  drag 246 210; shot 3-cube-dropped
  xdotool key ctrl+w; shot 4-second-window
  xdotool key ctrl+z; shot 5-undone
  window=$("$TAVROLIN_SCRIPTS/x11-window.py" find Tavrolin)
  "$TAVROLIN_SCRIPTS/x11-window.py" close "$window"; shot 6-save-question
  xdotool key n
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then rc=0; wait $pid || rc=$?; echo "program ended with $rc"; exit $rc; fi
    sleep 0.1
  done
  echo "program still running" >&2; kill $pid; exit 1
'
