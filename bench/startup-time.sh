#!/bin/sh
# Start-up time of the program: from its start to its main window being mapped on the screen, no
# scene open, under a virtual X server. Prints each of 10 runs and their median in milliseconds.
#   bench/startup-time.sh PROGRAM
set -eu
scripts=$(cd "$(dirname "$0")/../scripts" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Ulmric"
printf '[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n' > "$home/.config/Ulmric/Tavrolin.ini"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" TAVROLIN_PROGRAM="$1" TAVROLIN_SCRIPTS="$scripts"
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  times=""
  for run in $(seq 10); do
    start=$(date +%s%N)
    "$TAVROLIN_PROGRAM" &
    pid=$!
    until window=$("$TAVROLIN_SCRIPTS/x11-window.py" mapped Tavrolin 2>/dev/null); do sleep 0.005; done
    end=$(date +%s%N)
    ms=$(( (end - start) / 1000000 ))
    echo "run $run: $ms ms"
    times="$times $ms"
    "$TAVROLIN_SCRIPTS/x11-window.py" close "$window"
    wait $pid
  done
  echo $times | tr " " "\n" | sort -n | awk "{ a[NR] = \$1 } END { printf \"median: %d ms\n\", (a[5] + a[6]) / 2 }"
'
