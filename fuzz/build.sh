#!/usr/bin/env bash
# Builds the libFuzzer targets into BUILD (default /work/build-fuzz): clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, every library instrumented for coverage.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${KELTO_FUZZ_BUILD:-$root/../build-fuzz}}
jobs=${KELTO_JOBS:-2}
generator=()
command -v ninja > /dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELTO_FUZZ=ON -DKELTO_SANITIZE=ON \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link > /dev/null
cmake --build "$build" -j "$jobs" --target fuzz_map fuzz_save fuzz_script fuzz_picture fuzz_sound
