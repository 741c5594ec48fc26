#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds Kelto, and then plays it or runs every test.
#   ./kelto.sh play    build and start the game
#   ./kelto.sh test    build and run every test
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
packages=(cmake make g++ pkg-config libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
          libsdl2-mixer-dev libx11-dev fonts-comfortaa fonts-dejavu-core)
if [ "$mode" = test ]; then
  packages+=(libgtest-dev xvfb xauth x11-utils imagemagick openbox libxtst-dev desktop-file-utils appstream xdotool)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

case "$mode" in
  play) exec build/app/kelto ;;
  test) ctest --test-dir build --output-on-failure -j "$(nproc)" ;;
  *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac
