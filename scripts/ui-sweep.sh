#!/bin/sh
# Runs scripts/ui-sweep.py (or another of the scripts here that drive the program as a user does)
# on the built program under a virtual X server with the openbox window manager and an
# accessibility bus, with a fresh home folder (so it starts with the first run). Links the program
# opens for help go to a stand-in browser that only notes them. A failed run leaves a screenshot in
# ui-sweep-failure.png here (DRIVER-failure.png for another script; or at $TAVROLIN_SWEEP_SHOT).
#   scripts/ui-sweep.sh PROGRAM [DRIVER]
# The screen is 1280x800 unless TAVROLIN_SWEEP_SCREEN gives another (WIDTHxHEIGHT).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/utf8-locale.sh"
# Under the leak checker: what system libraries keep until exit by design.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/../tests/support/lsan.supp:fast_unwind_on_malloc=0"
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
# Where a failed run leaves its screenshot of the screen.
driver=${2:-ui-sweep.py}
export TAVROLIN_SWEEP_SHOT="${TAVROLIN_SWEEP_SHOT:-$PWD/${driver%.py}-failure.png}"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/bin"
printf '#!/bin/sh\necho "$@" >> "%s/opened-links"\n' "$home" > "$home/bin/xdg-open"
chmod +x "$home/bin/xdg-open"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" PATH="$home/bin:$PATH" \
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 TAVROLIN_PROGRAM="$program" TAVROLIN_SCRIPTS="$here" TAVROLIN_DRIVER="$driver"
# Scenes and pictures the sweep saves land in the temporary home, the program's working folder.
cd "$home"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 ${TAVROLIN_SWEEP_SCREEN:-1280x800}x24" dbus-run-session -- sh -c '
  openbox >/dev/null 2>&1 &
  /usr/bin/python3 "$TAVROLIN_SCRIPTS/$TAVROLIN_DRIVER" "$TAVROLIN_PROGRAM"
  rc=$?
  kill $! 2>/dev/null
  exit $rc
'
