#!/usr/bin/env bash
# Builds the web version (web/build.sh) and runs its tests: every replay script under Node and
# the pixel comparisons with the native build in build/ (or KELTO_NATIVE_REPLAY).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KELTO_WEB_BUILD:-$root/build-web}
started=$(date +%s)
bash "$root/web/build.sh" "$build"
cmake "$build" -DKELTO_NATIVE_REPLAY="${KELTO_NATIVE_REPLAY:-$root/build/tools/kelto-replay}" > /dev/null
echo "web: built in $(($(date +%s) - started)) s"
ctest --test-dir "$build" -L web --output-on-failure -j "${KELTO_JOBS:-2}"
