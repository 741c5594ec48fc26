#!/usr/bin/env bash
# Builds the game for the browser: web/build-deps.sh sets up the tools and the libraries (once;
# they are kept outside the checkout), then the WebAssembly build in build-web/. The page is
# the folder build-web/site/ (index.html, index.js, index.wasm, index.data): web/serve.sh
# serves it, and so can any static web server.
#   web/build.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-web}
prefix=$(bash "$root/web/build-deps.sh" | tail -n 1)
export NODE_PATH=/usr/share/nodejs
mkdir -p "$build"
generator=()
command -v ninja > /dev/null && generator=(-G Ninja)
emcmake cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" -DSDL2_DIR="$prefix/lib/cmake/SDL2" \
  > "$build/configure.log" || { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j "${KELTO_JOBS:-2}"
echo "web: the page is in $build/site"
