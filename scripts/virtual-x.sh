#!/usr/bin/env bash
# Runs a command on a virtual X server of its own and exits with the command's status:
#   scripts/virtual-x.sh "XVFB OPTIONS" COMMAND [ARGUMENTS...]
# The server does not reset when its last client leaves (-noreset): a program that closes its
# connection and opens another would otherwise find no server while it resets, as it does under
# xvfb-run now and then. The server also takes a free display itself (-displayfd) and names it
# once it accepts connections, where xvfb-run -a picks the first number without a lock file and
# two runs started together can both start a server on that one display.
set -euo pipefail
options=$1
shift
folder=$(mktemp -d)
server=
# shellcheck disable=SC2317 # run by the trap
finish() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
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
