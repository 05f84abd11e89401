#!/usr/bin/env bash
# Installs what is needed, builds from scratch with warnings as errors, and runs every
# test twice: in a plain build and under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  rm -rf "$dir"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DKBS_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite "$root/build-test"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-sanitize" -DKBS_SANITIZE=ON

# The fuzz targets, a few seconds each from their seeds: a regression on a seed or a quick find
# fails the run. tools/fuzz.sh runs them at length.
rm -rf "$root/build-test-fuzz"
FUZZ_BUILD_DIR="$root/build-test-fuzz" FUZZ_JOBS=$jobs "$root/tools/fuzz.sh" 30
