#!/usr/bin/env bash
# Installs what is needed, builds from scratch with warnings as errors, and runs every test
# twice: on an optimised build, as users get it, and on a debug build under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"

jobs=$(nproc)
# run_suite DIR BUILD_TYPE [CMAKE_ARGUMENTS...]
run_suite() {
  local dir=$1 type=$2; shift 2
  rm -rf "$dir"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" -DKBS_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite "$root/build-test" RelWithDebInfo
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-sanitize" Debug -DKBS_SANITIZE=ON

# The fuzz targets, a few seconds each from their seeds: a regression on a seed or a quick find
# fails the run. tools/fuzz.sh runs them at length.
rm -rf "$root/build-test-fuzz"
FUZZ_BUILD_DIR="$root/build-test-fuzz" FUZZ_JOBS=$jobs "$root/tools/fuzz.sh" 30
