#!/bin/sh
# The program on large desktops, under a virtual X server with a window manager (openbox), its main
# window maximised. At 1920x1080 and 2560x1440 a scene's camera window is maximised (its title
# bar's button clicked); at 1920x1080 also Window/Front, Top, Left tiles four camera windows
# in a grid (the Front window bottom right). Every picture must reach its window's right edge, the
# columns beyond 1280 included: the colour beside the left edge of a picture's bottom row (the
# scene's background) must also show beside its right edge.
#   scripts/desktop-screens.sh [build folder]
# Saves build/<folder>/screenshots/desktop-*.png.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/dev}
cmake --build "$build" --target tavrolin shipped_scene_writer objects_folder
shots=$(pwd)/$build/screenshots
mkdir -p "$shots"
writer="$build/tests/views/shipped_scene_writer"
QT_QPA_PLATFORM=offscreen "$writer" "$build/Objects" "$shots/shipped.tvr"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/.config/Ulmric"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$work/.config/Ulmric/Tavrolin.ini"
export HOME="$work" XDG_CONFIG_HOME="$work/.config" TAVROLIN_PROGRAM="$(pwd)/$build/bin/tavrolin" \
  TAVROLIN_SCRIPTS="$(pwd)/scripts" TAVROLIN_SHOTS="$shots" TAVROLIN_SCENE="$shots/shipped.tvr"
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(pwd)/tests/support/lsan.supp:fast_unwind_on_malloc=0"

# run SIZE NAME BOTTOM CLICK [KEYS [LEFT]]: opens the scene on a screen of SIZE, clicks screen point
# CLICK ("x y"), types KEYS, saves desktop-NAME.png and compares the colours of screen row BOTTOM at
# column LEFT (default 20) and 20 pixels from the screen's right edge.
run() {
  TAVROLIN_SIZE=$1 TAVROLIN_NAME=$2 TAVROLIN_ROW=$3 TAVROLIN_CLICK=$4 TAVROLIN_KEYS=${5:-} TAVROLIN_LEFT=${6:-20} \
    env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 ${1}x24" sh -c '
    set -eu
    window="$TAVROLIN_SCRIPTS/x11-window.py"
    openbox 2>/dev/null & wm=$!
    sleep 1
    "$TAVROLIN_PROGRAM" "$TAVROLIN_SCENE" & pid=$!
    main=""
    for _ in $(seq 150); do main=$("$window" find Tavrolin 2>/dev/null) && break; sleep 0.1; done
    [ -n "$main" ] || { echo "desktop-screens: no main window" >&2; kill $pid $wm; exit 1; }
    "$window" maximise "$main"
    sleep 4
    xdotool mousemove $TAVROLIN_CLICK click 1
    sleep 1
    if [ -n "$TAVROLIN_KEYS" ]; then xdotool key $TAVROLIN_KEYS; fi
    sleep 6
    "$window" screenshot "$TAVROLIN_SHOTS/desktop-$TAVROLIN_NAME.png"
    width=${TAVROLIN_SIZE%x*}
    left=$("$window" pixel "$TAVROLIN_LEFT" "$TAVROLIN_ROW")
    right=$("$window" pixel $((width - 20)) "$TAVROLIN_ROW")
    kill $pid $wm
    echo "$TAVROLIN_NAME: row $TAVROLIN_ROW shows $left at column $TAVROLIN_LEFT, $right at column $((width - 20))"
    [ "$left" = "$right" ] || { echo "desktop-screens: the right part of a picture is not drawn" >&2; exit 1; }
  '
}

# The camera window's title bar: its maximise button, or a point left of its caption.
run 1920x1080 1920x1080 1030 "624 105"
run 2560x1440 2560x1440 1390 "624 105"
run 1920x1080 front-top-left-1920x1080 1030 "120 105" ctrl+r 1000
echo "$shots/desktop-1920x1080.png $shots/desktop-2560x1440.png $shots/desktop-front-top-left-1920x1080.png"
