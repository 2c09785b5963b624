#!/usr/bin/env bash
# Runs each GoogleTest program of a build whole, as one process, and again shuffled with each seed
# given: ctest starts every test in a process of its own, which hides a test that leaves state
# behind for the next one. Each program starts as ctest starts it (its wrapper such as
# scripts/virtual-x.sh, working folder, environment and arguments, read from ctest), without the
# filter that picks one test; a run that ctest makes of a group of tests (a filter with "*") keeps
# its filter. Every run gets a fresh home, XDG folders and TMPDIR. One line per run, then
# "N passed, N failed"; the output of each run is kept in BUILD/test-binaries-whole/.
#   scripts/run-test-binaries-whole.sh [-R REGEX] [BUILD_FOLDER [SEED...]]
# BUILD_FOLDER is build/test unless given, the seeds 1 2 3; -R keeps the programs whose file name
# matches REGEX. Exits 1 when a run fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/utf8-locale.sh"
only=
while getopts R: option; do
  case $option in
    R) only=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=$(cd "${1:-build/test}" && pwd)
[ $# -gt 0 ] && shift
seeds=("$@")
[ ${#seeds[@]} -gt 0 ] || seeds=(1 2 3)
# As scripts/test.sh runs the tests (the sanitizer options matter only in a sanitizer build).
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$here/../tests/support/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
logs=$build/test-binaries-whole
rm -rf "$logs" && mkdir -p "$logs"

# One JSON line per distinct launch: {cmd, dir, env}.
launches=$(ctest --test-dir "$build" --show-only=json-v1 | jq -c '
  [.tests[] | select(any(.command[]?; startswith("--gtest_filter="))) |
   {cmd: [.command[] | select((startswith("--gtest_filter=") and (contains("*") | not)) | not)],
    dir: ([.properties[]? | select(.name == "WORKING_DIRECTORY") | .value] | first // null),
    env: [.properties[]? | select(.name == "ENVIRONMENT") | .value[]]}] | unique | .[]')
[ -n "$launches" ] || { echo "run-test-binaries-whole.sh: ctest lists no GoogleTest programs in $build" >&2; exit 1; }

passed=0
failed=0
# run LABEL LOG DIR ENV... -- COMMAND...: one run in a fresh home; prints its line.
run() {
  local label=$1 log=$2 dir=$3
  shift 3
  local env=()
  while [ "$1" != -- ]; do env+=("$1") && shift; done
  shift
  local home
  home=$(mktemp -d)
  local folders=(XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR TMPDIR)
  local fresh=("HOME=$home")
  for folder in "${folders[@]}"; do
    mkdir -m 700 "$home/$folder"
    fresh+=("$folder=$home/$folder")
  done
  local start=$SECONDS status=0
  # The exit keeps the subshell from becoming the program: a program killed by a signal is then
  # reported in its log rather than here.
  (cd "$dir" && env "${fresh[@]}" "${env[@]}" timeout 1500 "$@"; exit $?) >"$log" 2>&1 || status=$?
  rm -rf "$home"
  local ran failures
  # The last summary is the program's own (a test may print a copy's output before it).
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$log" | tail -1 || true)
  failures=$(awk '/^\[  FAILED  \] [0-9]+ tests?, listed below:$/ { names = ""; listed = 1; next }
                  listed && /^\[  FAILED  \] [^ ]+/ { sub(/,$/, "", $4); names = names " " $4 }
                  END { print substr(names, 2) }' "$log")
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    printf 'PASS  %-66s %4s tests  %4ss\n' "$label" "${ran:-?}" $((SECONDS - start))
  else
    failed=$((failed + 1))
    printf 'FAIL  %-66s %4s tests  %4ss  exit %s: %s (%s)\n' "$label" "${ran:-?}" $((SECONDS - start)) \
      "$status" "${failures:-no summary, see the log}" "$log"
  fi
}

while IFS= read -r launch; do
  mapfile -t cmd < <(jq -r '.cmd[]' <<<"$launch")
  mapfile -t env < <(jq -r '.env[]' <<<"$launch")
  dir=$(jq -r '.dir // empty' <<<"$launch")
  # The gtest program is the first word that is not a script.
  program=
  for word in "${cmd[@]}"; do
    case $word in *.sh | *.py) ;; /*) program=$(basename "$word") && break ;; esac
  done
  [ -z "$only" ] || [[ $program =~ $only ]] || continue
  label=$program
  for word in "${cmd[@]}"; do
    case $word in
      --gtest_filter=*) label+=" ${word#--gtest_filter=}" ;;
      *.sh) label+=" ($(basename "$word"))" ;;
    esac
  done
  name=$(tr -c 'A-Za-z0-9_.\n' '-' <<<"$label")
  shown=$(printf '%q ' "${env[@]}" "${cmd[@]}")
  printf '# cd %q && %s\n' "${dir:-$build}" "${shown% }"
  run "$label whole" "$logs/$name-whole.log" "${dir:-$build}" "${env[@]}" -- "${cmd[@]}"
  for seed in "${seeds[@]}"; do
    run "$label shuffled, seed $seed" "$logs/$name-seed-$seed.log" "${dir:-$build}" "${env[@]}" -- \
      "${cmd[@]}" --gtest_shuffle "--gtest_random_seed=$seed"
  done
done <<<"$launches"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
