#!/bin/sh
# Runs the built program under a virtual X server with fresh settings (program-window.sh), opens
# Edit/Preferences from the menu, and saves a screenshot of the sheet at each page, clicked by its
# tab; then the sheet is cancelled and the program closed:
#   scripts/program-preferences-screenshot.sh PROGRAM OUT_FOLDER
# Writes OUT_FOLDER/program-preferences-<tab>.png.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TAVROLIN_WINDOW:-}" ]; then
  mkdir -p "$2"
  TAVROLIN_PREFERENCES_OUT=$(cd "$2" && pwd) exec "$here/program-window.sh" "$1" "" "" "$here/$(basename "$0")"
fi
# Run by program-window.sh once the main window is up.
x11="$TAVROLIN_SCRIPTS/x11-window.py"
input="$TAVROLIN_SCRIPTS/x11-input.py"
sleep 1
# The menu bar has no keyboard focus without a window manager: the Edit menu is clicked open.
"$input" click 56 8
sleep 0.5
"$input" key f
sheet=""
for _ in $(seq 50); do sheet=$("$x11" geometry Preferences 2>/dev/null) && break; sleep 0.1; done
if [ -z "$sheet" ]; then echo "no Preferences sheet" >&2; exit 1; fi
set -- $sheet
# The tabs sit along the top of the sheet, left to right, at these distances from its left edge.
tab=0
for x in 46 130 235 325 405 520 635 706; do
  "$input" click $(($1 + x)) $(($2 + 24))
  sleep 0.5
  "$x11" screenshot "$TAVROLIN_PREFERENCES_OUT/program-preferences-$tab.png"
  tab=$((tab + 1))
done
"$input" key Escape
