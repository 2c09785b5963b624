#!/bin/sh
# Starts the program's main window under a virtual X server and saves a screenshot: five docked
# toolbars, the status bar and the 3D Objects window with the objects folder's thumbnails.
#   scripts/screenshot-main-window.sh SHOT_PROGRAM OUTPUT.png
set -eu
# Under the leak checker: what system libraries keep until exit by design.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/../tests/support/lsan.supp:fast_unwind_on_malloc=0"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x900x24" "$1" "$2"
test -s "$2"
