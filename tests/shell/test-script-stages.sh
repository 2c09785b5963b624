#!/usr/bin/env bash
# scripts/test.sh in a copy of its folder, with stand-ins for the set-up, cmake and ctest: a failing
# ctest stage ends the script with the failure and names the stages that did not run.
#   tests/shell/test-script-stages.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tree/scripts" "$work/bin"
cp "$source_dir/scripts/test.sh" "$source_dir/scripts/utf8-locale.sh" "$work/tree/scripts/"
printf '#!/bin/sh\nexit 0\n' > "$work/tree/scripts/setup.sh"
printf '#!/bin/sh\nexit 0\n' > "$work/bin/cmake"
chmod +x "$work/tree/scripts/setup.sh" "$work/bin/cmake"
# The build folder whose tests fail, and what the script must say; the other ctest runs pass.
cases=(
  "build/test|test.sh: the optimised tests stage failed (exit 8); not run: sanitizer build, sanitizer tests, fuzz build, fuzz seed replays"
  "build/sanitize|test.sh: the sanitizer tests stage failed (exit 8); not run: fuzz build, fuzz seed replays"
)
failed=0
for entry in "${cases[@]}"; do
  folder=${entry%%|*}
  expected=${entry#*|}
  printf '#!/bin/sh\ncase "$*" in *%s\\ *) exit 8;; esac\nexit 0\n' "$folder" > "$work/bin/ctest"
  chmod +x "$work/bin/ctest"
  rc=0
  PATH="$work/bin:$PATH" "$work/tree/scripts/test.sh" > "$work/out" 2>&1 || rc=$?
  if [ $rc -ne 8 ] || ! grep -qxF "$expected" "$work/out"; then
    echo "with the tests of $folder failing, test.sh exited $rc and said:" >&2
    cat "$work/out" >&2
    failed=1
  fi
done
exit $failed
