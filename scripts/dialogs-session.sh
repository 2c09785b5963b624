#!/bin/sh
# Checks the program's windows and messages on a desktop with a window manager (openbox unless
# WINDOW_MANAGER names another, under a virtual X server), saving a screenshot after each step:
#   1. started with a scene, the main window's title names the scene as soon as it is mapped;
#   2. F1 opens the program's own help window, which carries the program's icon;
#   3. closing a changed scene asks "Save changes to ...?" in a box titled with the program's name.
# Fails at the first check that does not hold; otherwise ends with the program's exit status.
#   scripts/dialogs-session.sh PROGRAM SCENE OUTPUT_FOLDER [WINDOW_MANAGER]
# Openbox draws minimise and maximise on every dialog whatever the window asks for; a manager that
# follows the window's hints (icewm) shows the boxes with a close button only.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/../tests/support/lsan.supp:fast_unwind_on_malloc=0"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric" "$3"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n[General]\nWarn256ColorDisplay(yes/no)=no\n' \
  > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$1" TAVROLIN_SCENE="$2" TAVROLIN_OUT="$3" \
  TAVROLIN_WM="${4:-openbox}" \
  TAVROLIN_SCRIPTS="$here"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1600x1000x24" sh -c '
  fail() { echo "FAILED: $*" >&2; kill $pid 2>/dev/null; exit 1; }
  shot() { sleep 1; "$TAVROLIN_SCRIPTS/x11-window.py" screenshot "$TAVROLIN_OUT/$1.png"; }
  # The id of the mapped window whose name holds $1, waited for up to five seconds.
  mapped() { for _ in $(seq 100); do "$TAVROLIN_SCRIPTS/x11-window.py" mapped "$1" 2>/dev/null && return; sleep 0.05; done; }
  "$TAVROLIN_WM" >/dev/null 2>&1 &
  sleep 1
  scene=$(basename "$TAVROLIN_SCENE" .tvr)
  "$TAVROLIN_PROGRAM" "$TAVROLIN_SCENE" & pid=$!
  main=$(mapped Tavrolin) || true
  [ -n "$main" ] || fail "no main window"
  # The title names the scene within a tenth of a second of the window showing.
  for _ in 1 2 3 4 5; do
    title=$(xprop -id "$main" WM_NAME)
    case "$title" in *"$scene"*) break ;; esac
    sleep 0.02
  done
  echo "main window title: $title"
  case "$title" in *"$scene"*) ;; *) fail "the title does not name $scene" ;; esac
  shot 1-started-with-scene

  xdotool key F1
  help=$(mapped "Tavrolin Help") || true
  [ -n "$help" ] || fail "F1 opened no help window"
  xprop -id "$help" _NET_WM_ICON | grep -q "Icon (" || fail "the help window has no icon"
  shot 2-help-window
  "$TAVROLIN_SCRIPTS/x11-window.py" close "$help"

  xdotool key ctrl+n
  sleep 1
  xdotool key ctrl+w
  sleep 1
  "$TAVROLIN_SCRIPTS/x11-window.py" close "$main"
  for _ in $(seq 50); do
    box=$(xdotool search --onlyvisible --name "^Tavrolin\$" 2>/dev/null | head -1) && [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no box titled Tavrolin when closing"
  # A box offers no minimise or maximise (the window manager may still draw its own buttons).
  xprop -id "$box" _MOTIF_WM_HINTS | grep -q "= 0x3, 0x26," || fail "the box asks for more than move, resize and close"
  shot 3-save-question
  xdotool key n
  sleep 1
  xdotool key n 2>/dev/null || true
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then rc=0; wait $pid || rc=$?; echo "program ended with $rc"; exit $rc; fi
    sleep 0.1
  done
  echo "program still running" >&2; kill $pid; exit 1
'
