#!/bin/sh
# Drives the built program under a virtual X server with real mouse and key events (XTest), as a
# user would: a new scene, the Cube dragged from the 3D Objects window into the camera window,
# moved (Ctrl+3), the camera turned (Ctrl+5), both undone (Ctrl+Z twice), saved, closed, opened
# again and saved once more. Checks that the drags changed the picture, that undo and reopening
# bring back the picture after the import, and that the second save writes the same bytes.
#   scripts/camera-window-drive.sh [build folder]
# Screenshots of each step go to build/<folder>/screenshots/drive-*.png.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target tavrolin objects_folder
shots=$(pwd)/$build/screenshots
mkdir -p "$shots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/.config/Ulmric"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$work/.config/Ulmric/Tavrolin.ini"
export HOME="$work" XDG_CONFIG_HOME="$work/.config" TAVROLIN_PROGRAM="$(pwd)/$build/bin/tavrolin" \
  TAVROLIN_SCRIPTS="$(pwd)/scripts" TAVROLIN_SHOTS="$shots" TAVROLIN_WORK="$work"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(pwd)/tests/support/lsan.supp:fast_unwind_on_malloc=0"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  set -eu
  input="$TAVROLIN_SCRIPTS/x11-input.py"
  shot() { sleep 1; "$TAVROLIN_SCRIPTS/x11-window.py" screenshot "$TAVROLIN_SHOTS/drive-$1.png"; }
  # The camera window'"'"'s picture, where the first window of a new scene is tiled.
  picture() { "$TAVROLIN_SCRIPTS/x11-window.py" region 432 96 416 258; }
  fail() { echo "camera-window-drive: $1" >&2; kill $pid 2>/dev/null; exit 1; }
  "$TAVROLIN_PROGRAM" & pid=$!
  for _ in $(seq 100); do "$TAVROLIN_SCRIPTS/x11-window.py" find Tavrolin >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 1
  "$input" key ctrl+n; shot 1-new
  empty=$(picture)
  "$input" drag 248 205 640 225 25; shot 2-dropped
  imported=$(picture)
  [ "$imported" != "$empty" ] || fail "the dropped object does not show"
  "$input" key ctrl+3; "$input" drag 640 250 700 290 15; shot 3-moved
  moved=$(picture)
  [ "$moved" != "$imported" ] || fail "the object did not move"
  "$input" key ctrl+5; "$input" drag 640 200 600 230 15; shot 4-turned
  [ "$(picture)" != "$moved" ] || fail "the camera did not turn"
  "$input" key ctrl+z; "$input" key ctrl+z; shot 5-undone
  [ "$(picture)" = "$imported" ] || fail "undo twice does not show the scene as imported"
  "$input" key ctrl+s; sleep 1.5
  "$input" type "$TAVROLIN_WORK/scene.tvr"; "$input" key Return; sleep 1.5
  [ -s "$TAVROLIN_WORK/scene.tvr" ] || fail "the scene was not saved"
  cp "$TAVROLIN_WORK/scene.tvr" "$TAVROLIN_WORK/first.tvr"
  "$input" click 838 81; shot 6-closed
  "$input" key ctrl+o; sleep 1.5
  "$input" type "$TAVROLIN_WORK/scene.tvr"; "$input" key Return; shot 7-reopened
  [ "$(picture)" = "$imported" ] || fail "the reopened scene looks different"
  "$input" key ctrl+s; sleep 1
  cmp -s "$TAVROLIN_WORK/scene.tvr" "$TAVROLIN_WORK/first.tvr" || fail "saving the reopened scene wrote other bytes"
  "$TAVROLIN_SCRIPTS/x11-window.py" close "$("$TAVROLIN_SCRIPTS/x11-window.py" find Tavrolin)"
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then rc=0; wait $pid || rc=$?; echo "program ended with $rc"; exit $rc; fi
    sleep 0.1
  done
  fail "program still running after its window was closed"
'
echo "camera-window-drive: passed; screenshots in $shots"
