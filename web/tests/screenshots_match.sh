#!/usr/bin/env bash
# screenshots_match.sh WEB_REPLAY NATIVE_REPLAY: runs screenshots.script with both replay tools
# on fresh program folders and compares every picture pixel for pixel.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for side in web native; do
  mkdir -p "$work/$side"
  cp -r "$root/Data" "$work/$side/"
done
(cd "$work/web" && "$1" --folder "$work/web" "$here/screenshots.script" > log)
(cd "$work/native" && "$2" --folder "$work/native" "$here/screenshots.script" > log)
diff "$work/native/log" "$work/web/log"
status=0
for png in "$work"/native/*.png; do
  name=$(basename "$png")
  if ! cmp -s <(convert "$png" rgba:-) <(convert "$work/web/$name" rgba:-); then
    echo "$name differs: $(compare -metric AE "$png" "$work/web/$name" null: 2>&1) pixels" >&2
    status=1
  fi
done
ls "$work"/native/*.png > /dev/null
exit $status
