#!/bin/sh
# Starts the built program under a virtual X server, waits for its main window, optionally saves a
# screenshot, then closes the window as its close button does and checks that the program ends.
#   scripts/program-window.sh PROGRAM [SCENE_FILE] [SCREENSHOT.png] [ACTIONS]
# The program runs with its own fresh settings (past the first run's introduction). The screenshot
# is taken TAVROLIN_SHOT_DELAY seconds (default 1) after the window shows.
# TAVROLIN_BEFORE_SHOT and TAVROLIN_AFTER_SHOT, when set, are shell commands run (on the virtual
# screen) just before and just after the screenshot: a user's keys and clicks, say.
# ACTIONS, a program, acts on the window before it is closed; it gets the window's id in
# TAVROLIN_WINDOW and the folder of these scripts in TAVROLIN_SCRIPTS.
# The waits for the window and for the end give up after a minute: under the sanitizers on a busy
# machine, start-up and the leak check at exit take seconds.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
# Under the leak checker: what system libraries keep until exit by design.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/../tests/support/lsan.supp:fast_unwind_on_malloc=0"
program=$1
scene=${2:-}
shot=${3:-}
actions=${4:-}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$program" TAVROLIN_SCENE="$scene" \
  TAVROLIN_SHOT="$shot" TAVROLIN_SCRIPTS="$here" TAVROLIN_ACTIONS="$actions" \
  TAVROLIN_SHOT_DELAY="${TAVROLIN_SHOT_DELAY:-1}"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  if [ -n "$TAVROLIN_SCENE" ]; then "$TAVROLIN_PROGRAM" "$TAVROLIN_SCENE" & else "$TAVROLIN_PROGRAM" & fi
  pid=$!
  window=""
  for _ in $(seq 600); do
    window=$("$TAVROLIN_SCRIPTS/x11-window.py" find Tavrolin 2>/dev/null) && break
    sleep 0.1
  done
  if [ -z "$window" ]; then echo "no main window" >&2; kill $pid; exit 1; fi
  echo "main window $window"
  if [ -n "${TAVROLIN_BEFORE_SHOT:-}" ]; then sh -c "$TAVROLIN_BEFORE_SHOT"; fi
  if [ -n "$TAVROLIN_SHOT" ]; then sleep "$TAVROLIN_SHOT_DELAY"; "$TAVROLIN_SCRIPTS/x11-window.py" screenshot "$TAVROLIN_SHOT"; fi
  if [ -n "${TAVROLIN_AFTER_SHOT:-}" ]; then sh -c "$TAVROLIN_AFTER_SHOT"; fi
  if [ -n "$TAVROLIN_ACTIONS" ] && ! TAVROLIN_WINDOW="$window" "$TAVROLIN_ACTIONS"; then kill $pid; exit 1; fi
  "$TAVROLIN_SCRIPTS/x11-window.py" close "$window"
  for tick in $(seq 600); do
    if ! kill -0 $pid 2>/dev/null; then rc=0; wait $pid || rc=$?; echo "program ended with $rc"; exit $rc; fi
    # Early in start-up (under load, the splash still up) a request can go unanswered: ask again.
    if [ $((tick % 30)) -eq 0 ]; then "$TAVROLIN_SCRIPTS/x11-window.py" close "$window" || true; fi
    sleep 0.1
  done
  echo "program still running after its window was closed" >&2; kill $pid; exit 1
'
