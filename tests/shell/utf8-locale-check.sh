#!/bin/sh
# The locale the scripts give the program: UTF-8 where a fresh login has no locale at all, and a
# user's own UTF-8 locale left as it is.
#   tests/shell/utf8-locale-check.sh SOURCE_DIR
set -eu
helper=$1/scripts/utf8-locale.sh
fresh=$(env -i PATH=/usr/bin:/bin sh -c ". '$helper' && locale charmap")
[ "$fresh" = UTF-8 ] || { echo "without a locale the scripts run under $fresh" >&2; exit 1; }
kept=$(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 LC_MESSAGES=POSIX sh -c ". '$helper' && echo \"\${LC_ALL:-unset} \$LC_MESSAGES\"")
[ "$kept" = "unset POSIX" ] || { echo "a UTF-8 locale was changed: $kept" >&2; exit 1; }
