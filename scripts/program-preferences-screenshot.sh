#!/bin/sh
# Runs the built program under a virtual X server with fresh settings, opens Edit/Preferences from
# the menu with the keyboard, and saves a screenshot of the sheet at each page, clicked by its tab:
#   scripts/program-preferences-screenshot.sh PROGRAM OUT_FOLDER
# Writes OUT_FOLDER/program-preferences-<tab>.png; the sheet is cancelled and the program closed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/../tests/support/lsan.supp"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric" "$2"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$1" TAVROLIN_OUT="$2" TAVROLIN_SCRIPTS="$here"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24 -dpi 96" sh -c '
  x11="$TAVROLIN_SCRIPTS/x11-window.py"
  "$TAVROLIN_PROGRAM" &
  pid=$!
  window=""
  for _ in $(seq 100); do window=$("$x11" find Tavrolin 2>/dev/null) && break; sleep 0.1; done
  if [ -z "$window" ]; then echo "no main window" >&2; kill $pid; exit 1; fi
  sleep 1
  # The menu bar has no keyboard focus without a window manager: the Edit menu is clicked open.
  "$x11" click "56 8"
  sleep 0.5
  "$x11" keys "f"
  sheet=""
  for _ in $(seq 50); do sheet=$("$x11" geometry Preferences 2>/dev/null) && break; sleep 0.1; done
  if [ -z "$sheet" ]; then echo "no Preferences sheet" >&2; kill $pid; exit 1; fi
  set -- $sheet
  # The tabs sit along the top of the sheet, left to right, at these distances from its left edge.
  tab=0
  for x in 46 130 235 325 405 520 635 706; do
    "$x11" click "$(($1 + x)) $(($2 + 24))"
    sleep 0.5
    "$x11" screenshot "$TAVROLIN_OUT/program-preferences-$tab.png"
    tab=$((tab + 1))
  done
  "$x11" keys "Escape"
  "$x11" close "$window"
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then rc=0; wait $pid || rc=$?; echo "program ended with $rc"; exit $rc; fi
    sleep 0.1
  done
  echo "program still running after its window was closed" >&2; kill $pid; exit 1
'
