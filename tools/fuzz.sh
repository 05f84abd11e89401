#!/usr/bin/env bash
# Usage: tools/fuzz.sh [SECONDS]   (default 600)
# Builds the libFuzzer targets of fuzz/ with clang (ASan + UBSan) in $FUZZ_BUILD_DIR (default
# build-fuzz) and runs them one after the other, each on $FUZZ_JOBS parallel jobs (default: all
# cores) for its share of SECONDS, from its seeds and what earlier runs there found. Prints the
# runs and findings of each target; exits 1 when any target found something. A finding (crash,
# broken check, leak, or an input that takes longer than $FUZZ_TIMEOUT seconds) is kept under
# $FUZZ_BUILD_DIR/findings/TARGET/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
jobs=${FUZZ_JOBS:-$(nproc)}
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

CXX=clang++ cmake -S "$root" -B "$build" -DKBS_FUZZ=ON -DBUILD_TESTING=OFF -DKBS_WERROR=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_targets

targets=("$root"/fuzz/*.cpp)
share=$((seconds / ${#targets[@]}))
((share > 0)) || share=1
found=0
printf '%-16s %12s %9s\n' TARGET RUNS FINDINGS
for source in "${targets[@]}"; do
  name=$(basename "$source" .cpp)
  work=$build/runs/$name findings=$build/findings/$name
  rm -rf "$work"
  mkdir -p "$work" "$findings" "$build/corpus/$name"
  cp -n "$root/fuzz/corpus/$name"/* "$build/corpus/$name/" 2>/dev/null || true
  dict=()
  [[ -f $root/fuzz/$name.dict ]] && dict=(-dict="$root/fuzz/$name.dict")
  before=$(find "$findings" -type f | wc -l)
  (cd "$work" && "$build/fuzz/fuzz_$name" -jobs="$jobs" -workers="$jobs" -max_total_time="$share" \
    -timeout="${FUZZ_TIMEOUT:-5}" -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}" \
    "$build/corpus/$name" >/dev/null 2>&1) || true
  runs=$(awk '/^stat::number_of_executed_units:/ { n += $2 } END { print n + 0 }' "$work"/fuzz-*.log)
  new=$(($(find "$findings" -type f | wc -l) - before))
  printf '%-16s %12s %9s\n' "$name" "$runs" "$new"
  # A target that did not run at all is a failure too.
  if ((new > 0 || runs == 0)); then
    found=1
    grep -h -A12 -E '^==[0-9]+==ERROR|check failed|SUMMARY' "$work"/fuzz-*.log | head -40 >&2
  fi
done
exit "$found"
