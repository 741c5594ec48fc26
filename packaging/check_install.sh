#!/usr/bin/env bash
# Installs a build into a temporary prefix (with a space in its name) and checks what lands
# there: the program with Data/ beside it, the icons, and a menu entry and AppStream data that
# the freedesktop tools accept. Exit 77 (skipped) when those tools are missing.
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix="$root/install prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*"; exit 1; }
[ -x "$prefix/kelto/kelto" ] || fail "no program at kelto/kelto"
[ -f "$prefix/kelto/Data/Map.res" ] || fail "no Data/ beside the program"
[ ! -e "$prefix/kelto/Data/Kelto.sav" ] || fail "a save file was installed"
for size in 32 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/kelto.png"
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  # PNG width and height are big-endian words at bytes 16 and 20.
  dims=$(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dims" = "${size}x${size}" ] || fail "icon ${size}x${size} is $dims"
done

desktop="$prefix/share/applications/kelto.desktop"
[ -f "$desktop" ] || fail "no menu entry"
grep -qxF "Exec=\"$prefix/kelto/kelto\"" "$desktop" || fail "Exec is not the installed program: $(grep ^Exec "$desktop")"
desktop-file-validate "$desktop" || fail "desktop-file-validate"

# The id is the program's own short name, not a reversed domain: that is advice, not an error.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
  "$prefix/share/metainfo/kelto.metainfo.xml" || fail "appstreamcli validate"
echo "install layout, menu entry and AppStream data are valid"
