#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a bounded time from its seed corpus, with a fixed
# random seed so that a run can be repeated; fails on the first crash, leak, sanitizer report or
# out-of-memory. Findings are left in BUILD/findings/.
#
#   fuzz/run.sh [SECONDS_PER_TARGET]      (default 60; BUILD from KELTO_FUZZ_BUILD)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${KELTO_FUZZ_BUILD:-$here/../../build-fuzz}
seconds=${1:-60}
"$here/build.sh" "$build" || exit 1
build=$(cd "$build" && pwd)

mkdir -p "$build/findings"
status=0
for target in map save script picture sound; do
  work="$build/corpus/$target"  # grows between runs; the seeds stay untouched
  mkdir -p "$work"
  log="$build/findings/$target.log"
  ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 UBSAN_OPTIONS=print_stacktrace=1 \
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "$build/fuzz/fuzz_$target" "$work" "$here/corpus/$target" \
    -seed=1 -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$build/findings/$target-" -print_final_stats=1 > "$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ $rc -ne 0 ]; then
    echo "fuzz_$target: FAILED after ${runs:-?} runs (exit $rc), see $log"
    grep -m 5 -E 'ERROR|SUMMARY|Test unit written' "$log"
    status=1
  else
    echo "fuzz_$target: ${runs:-?} runs in ${seconds} s, no finding"
  fi
done
exit $status
