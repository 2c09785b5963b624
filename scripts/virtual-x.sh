#!/usr/bin/env bash
# Runs a command on a virtual X server of its own and exits with the command's status:
#   scripts/virtual-x.sh "XVFB OPTIONS" COMMAND [ARGUMENTS...]
# The server takes a free display itself (-displayfd) and names it once it accepts connections.
# xvfb-run -a instead picks the first number without a lock file, so two runs started together
# can start two servers on one display; when one ends it takes the display from the other.
# The server does not reset when its last client leaves (-noreset): a program that closes its
# connection and opens another would otherwise find no server while it resets.
set -euo pipefail
options=$1
shift
folder=$(mktemp -d)
server=
finish() {
  [ -z "$server" ] || { kill "$server" 2>/dev/null && wait "$server" 2>/dev/null || true; }
  rm -rf "$folder"
}
trap finish EXIT
cookie=$(mcookie)
# The server takes every cookie of its file, whatever display it names; clients look theirs up
# by display, so the file gets the number's entry once the server has named it.
touch "$folder/auth"
xauth -q -f "$folder/auth" add :0 . "$cookie"
mkfifo "$folder/display"
# shellcheck disable=SC2086 # the options are words for Xvfb
Xvfb -displayfd 3 -noreset -nolisten tcp -auth "$folder/auth" $options 3>"$folder/display" 2>"$folder/server.log" &
server=$!
display=
read -r display <"$folder/display" || true
if [ -z "$display" ]; then
  cat "$folder/server.log" >&2
  echo "virtual-x.sh: the X server did not start" >&2
  exit 1
fi
xauth -q -f "$folder/auth" add ":$display" . "$cookie"
status=0
DISPLAY=":$display" XAUTHORITY="$folder/auth" "$@" || status=$?
exit "$status"
