#!/usr/bin/env bash
# The hardening steps of CI, after the ordinary build and tests:
#   1. a build with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer, and every
#      test of it (unit tests and every replay script), leaks on;
#   2. the fuzz targets, each for a bounded time (fuzz/run.sh);
#   3. ten hours of virtual play by a seeded random player, under the sanitizers.
# About 20 minutes on 2 cores. Knobs: KELTO_JOBS (2), KELTO_ASAN_BUILD (../build-asan),
# KELTO_FUZZ_BUILD (../build-fuzz), KELTO_FUZZ_SECONDS (60), KELTO_LONGPLAY_HOURS (10),
# KELTO_LONGPLAY_SEED (1).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${KELTO_JOBS:-2}
asan=${KELTO_ASAN_BUILD:-$root/../build-asan}
export KELTO_FUZZ_BUILD=${KELTO_FUZZ_BUILD:-$root/../build-fuzz}

step() { printf '\n== %s (%s)\n' "$*" "$(date +%T)"; }

# clang for the fuzzers; ninja when present.
if ! command -v clang++ > /dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends clang
fi
generator=()
command -v ninja > /dev/null && generator=(-G Ninja)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

failed=()
step "sanitizer build in $asan"
cmake -S "$root" -B "$asan" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELTO_SANITIZE=ON \
  > /dev/null
cmake --build "$asan" -j "$jobs"

step "every test under the sanitizers"
ctest --test-dir "$asan" --output-on-failure -j "$jobs" || failed+=("sanitizer tests")

step "fuzzing"
bash "$root/fuzz/run.sh" "${KELTO_FUZZ_SECONDS:-60}" || failed+=("fuzzing")

step "long play under the sanitizers"
"$asan/tools/longplay/kelto-longplay" --hours "${KELTO_LONGPLAY_HOURS:-10}" \
  --seed "${KELTO_LONGPLAY_SEED:-1}" || failed+=("long play")

if [ ${#failed[@]} -gt 0 ]; then
  step "FAILED: ${failed[*]}"
  exit 1
fi
step "hardening steps passed"
