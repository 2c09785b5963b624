#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Each kind of build is made once, in its own folder:
# - build/test: the optimised build of the libraries, programs, benchmarks and tests (warnings are
#   errors), and the tests run there: the optimiser can turn code that is sound at -O0 into a
#   fault. The sweep of every menu entry, button and command is left to the sanitizer build: it
#   takes about 20 minutes and finds more there;
# - build/sanitize: everything again with AddressSanitizer and UndefinedBehaviorSanitizer, and the
#   tests and the fuzz seed replays run there, once;
# - build/fuzz: the fuzz targets with clang, libFuzzer and both sanitizers, replaying their seeds
#   (the same binaries fuzz: see README.md).
# The compiler cache (ccache) lives outside the checkout, in $CCACHE_DIR (default ~/.cache/ccache).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/utf8-locale.sh

# The stages in their order; a stage that fails ends the script, which then names the stages that
# did not run.
stages=("set-up" "optimised build" "optimised tests" "sanitizer build" "sanitizer tests" "fuzz build"
  "fuzz seed replays")
stage=0
report() {
  local rc=$? rest=""
  [ $rc -ne 0 ] && [ $stage -lt ${#stages[@]} ] || return 0
  [ $((stage + 1)) -eq ${#stages[@]} ] || rest=$(printf ', %s' "${stages[@]:stage+1}")
  echo "test.sh: the ${stages[stage]} stage failed (exit $rc)${rest:+; not run: ${rest:2}}" >&2
}
trap report EXIT
# passed: the current stage is done, the next begins.
passed() { stage=$((stage + 1)); }

scripts/setup.sh
passed
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
# Stack use after return is caught on every release (newer runtimes check it by default).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# What the tests, their scripts and the programs they start put in a temporary folder stays here.
rm -rf build/tmp && mkdir -p build/tmp && export TMPDIR="$PWD/build/tmp"
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# Paths inside the checkout count relative to it, so a fresh clone elsewhere hits the same cache.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true

# build <folder> <cmake options...>: configures the folder (a folder configured before takes the
# options again, so one made by an older script gets what this one builds), then builds what it
# selects.
build() {
  local folder=$1
  shift
  cmake -S . -B "$folder" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
  cmake --build "$folder" -j "$jobs" ${TARGET:+--target "$TARGET"}
}
# run_tests <folder> <ctest options...>: a folder without tests fails rather than passing empty.
run_tests() {
  local folder=$1
  shift
  ctest --test-dir "$folder" --output-on-failure --no-tests=error -j "$jobs" "$@"
}

build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVROLIN_TESTS=ON -DTAVROLIN_FUZZ_TARGETS=OFF
passed
run_tests build/test -E '^ProgramSurvivesEveryMenuButtonAndCommand$'
passed

build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVROLIN_SANITIZE=ON -DTAVROLIN_BENCH=OFF
passed
run_tests build/sanitize
passed

CXX=clang++ TARGET=fuzz_targets build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVROLIN_FUZZ=ON \
  -DTAVROLIN_SANITIZE=ON -DTAVROLIN_TESTS=OFF -DTAVROLIN_BENCH=OFF
passed
run_tests build/fuzz
passed
