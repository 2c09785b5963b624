#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite. Each kind of build is made once, in its own folder:
# - build/test: the optimised build of the libraries, programs and benchmarks (warnings are errors);
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
stages=("set-up" "optimised build" "sanitizer build" "tests" "fuzz build" "fuzz seed replays")
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

# build <folder> <cmake options...>: configures the folder once, then builds what it selects.
build() {
  local folder=$1
  shift
  [ -f "$folder/CMakeCache.txt" ] ||
    cmake -S . -B "$folder" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@"
  cmake --build "$folder" -j "$jobs" ${TARGET:+--target "$TARGET"}
}

build build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVROLIN_TESTS=OFF -DTAVROLIN_FUZZ_TARGETS=OFF
passed

build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTAVROLIN_SANITIZE=ON -DTAVROLIN_BENCH=OFF
passed
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
passed

CXX=clang++ TARGET=fuzz_targets build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVROLIN_FUZZ=ON \
  -DTAVROLIN_SANITIZE=ON -DTAVROLIN_TESTS=OFF -DTAVROLIN_BENCH=OFF
passed
ctest --test-dir build/fuzz --output-on-failure -j "$jobs"
passed
