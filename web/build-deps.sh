#!/usr/bin/env bash
# Installs the tools of the web build (Debian's emscripten, Node, Chromium) and builds the
# libraries the game links (SDL2, SDL2_image, FreeType, HarfBuzz, SDL2_ttf, SDL2_mixer) for
# WebAssembly from Debian's own source packages. The result lives outside the checkout, in a
# folder named after the library and compiler versions, and is reused whenever it is there:
#   ${KELTO_WEB_CACHE:-/var/cache/kelto-web (root) or ~/.cache/kelto-web}/<versions>
# Prints that folder on its last line. About 15 minutes on 2 cores the first time.
set -euo pipefail
jobs=${KELTO_JOBS:-2}
# Raised whenever the way the libraries are built changes.
recipe=1

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
log() { echo "build-deps: $*" >&2; }

tools=(emscripten nodejs npm chromium dpkg-dev cmake make xz-utils fonts-comfortaa fonts-dejavu-core)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node may come from another archive under another package name.
if command -v node > /dev/null && command -v npm > /dev/null; then
  missing=("${missing[@]/nodejs/}")
  missing=("${missing[@]/npm/}")
fi
read -r -a missing <<< "${missing[*]}"
if [ ${#missing[@]} -gt 0 ]; then
  log "installing ${missing[*]}"
  $sudo apt-get update >&2
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi

# Debian's source package of each library, with the binary package whose version names it.
sources=(libsdl2:libsdl2-dev libsdl2-image:libsdl2-image-dev freetype:libfreetype-dev
         harfbuzz:libharfbuzz-dev libsdl2-ttf:libsdl2-ttf-dev libsdl2-mixer:libsdl2-mixer-dev)
candidate() { apt-cache policy "$1" | sed -n 's/^ *Candidate: //p'; }
key="r${recipe}-emscripten-$(candidate emscripten)"
for s in "${sources[@]}"; do
  v=$(candidate "${s#*:}")
  [ -n "$v" ] && [ "$v" != "(none)" ] || { log "no version known for ${s#*:}"; exit 1; }
  key+="_${s%%:*}-${v}"
done
key=$(echo "$key" | tr -c 'A-Za-z0-9._+\n-' '_')

if [ -n "${KELTO_WEB_CACHE:-}" ]; then
  base=$KELTO_WEB_CACHE
elif [ -w /var/cache ]; then
  base=/var/cache/kelto-web
else
  base=${XDG_CACHE_HOME:-$HOME/.cache}/kelto-web
fi
prefix=$base/$key
mkdir -p "$base"

# One build at a time; a second caller waits and then finds it done.
exec 9> "$base/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  log "reusing $prefix"
  echo "$prefix"
  exit 0
fi

log "building the libraries into $prefix"
started=$(date +%s)
rm -rf "$prefix"
work=$base/work-$key
rm -rf "$work"
mkdir -p "$work" "$prefix"

# Source lines for Debian's archive, from the binary lines configured here.
enable_sources() {
  apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package:' && return 0
  local list=/etc/apt/sources.list.d/kelto-deb-src.sources
  log "enabling Debian's source archive in $list"
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [ "$f" = "$list" ] && continue
      awk 'BEGIN { RS = ""; ORS = "\n\n" }
           /deb\.debian\.org/ && /Types:[^\n]*deb/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
    done
    if [ -f /etc/apt/sources.list ]; then
      sed -n 's/^deb \(.*deb\.debian\.org.*\)$/Types: deb-src\nURIs-Line: \1\n/p' /etc/apt/sources.list \
        | awk '/^URIs-Line:/ { n = split($0, a, " "); o = 2;
                 if (a[2] ~ /^\[/) { while (a[o] !~ /\]$/) o++; o++ }
                 print "URIs: " a[o]; print "Suites: " a[o + 1]; s = "";
                 for (i = o + 2; i <= n; i++) s = s " " a[i]; print "Components:" s; next } { print }'
    fi
  } | $sudo tee "$list" > /dev/null
  $sudo apt-get update >&2
}
enable_sources

export NODE_PATH=/usr/share/nodejs
cd "$work"
for s in "${sources[@]}"; do
  log "fetching ${s%%:*} $(candidate "${s#*:}")"
  (mkdir -p "${s%%:*}" && cd "${s%%:*}" && apt-get source -q --only-source "${s%%:*}=$(candidate "${s#*:}")" >&2)
done
srcdir() { find "$work/$1" -mindepth 1 -maxdepth 1 -type d | head -n1; }

build() {  # name, cmake options...
  local name=$1
  shift
  log "building $name"
  emcmake cmake -S "$(srcdir "$name")" -B "$work/build-$name" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" \
    -DBUILD_SHARED_LIBS=OFF "$@" >&2
  cmake --build "$work/build-$name" -j "$jobs" >&2
  cmake --install "$work/build-$name" >&2
}

build libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
build freetype -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
build harfbuzz -DHB_HAVE_FREETYPE=ON -DHB_HAVE_GLIB=OFF -DHB_HAVE_GOBJECT=OFF -DHB_HAVE_ICU=OFF \
  -DHB_BUILD_SUBSET=OFF -DHB_BUILD_UTILS=OFF -DHB_BUILD_TESTS=OFF
build libsdl2-image -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF -DSDL2IMAGE_BACKEND_STB=ON \
  -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF \
  -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF
# Its package file asks for libjpeg and libpng even when its own stb code decodes both.
sed -i -E 's/if\(SDL2IMAGE_(JPG|PNG) AND NOT SDL2IMAGE_VENDORED/if(SDL2IMAGE_\1 AND NOT SDL2IMAGE_BACKEND_STB AND NOT SDL2IMAGE_VENDORED/' \
  "$prefix/lib/cmake/SDL2_image/SDL2_imageConfig.cmake"
build libsdl2-ttf -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=ON -DSDL2TTF_SAMPLES=OFF
build libsdl2-mixer -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF \
  -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_CMD=OFF

rm -rf "$work"
touch "$prefix/.complete"
log "built in $(($(date +%s) - started)) s"
echo "$prefix"
