#!/bin/sh
# Starts the framework's demonstration window under a virtual X server, saves a screenshot and
# checks the window's layout (menu, tool bar, client area with two tiled windows, status bar).
#   scripts/screenshot-framework.sh DEMO_PROGRAM OUTPUT.png
# With --idle-cpu DEMO_PROGRAM it instead lets the window sit idle for 10 seconds and prints the
# processor time it used.
set -eu
# Under the leak checker: what system libraries keep until exit by design.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/../tests/support/lsan.supp:fast_unwind_on_malloc=0"
if [ "${1:-}" = "--idle-cpu" ]; then
  demo=$2
  env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" \
    /usr/bin/time -f "cpu seconds: user %U system %S, elapsed %e" "$demo" --idle 10
  exit 0
fi
demo=$1
out=$2
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" "$demo" --screenshot "$out"
test -s "$out"
