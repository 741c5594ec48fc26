#!/usr/bin/env bash
# Runs one replay script on a fresh copy of a program folder and compares what it prints (and
# its exit code) with SCRIPT's .expected file beside it.
#
#   run_replay.sh KELTO_REPLAY SCRIPT [--update]
#
# Header lines of the script choose the folder:
#   # fixture: NAME     copy tests/fixtures/NAME/ over the shipped Data/ (default: Data/ alone)
#   # setup: COMMAND    a shell command run in the program folder before the replay
#   # env: NAME=VALUE   an environment variable for the replay
set -uo pipefail
replay=$1
case "$replay" in /*) ;; */*) replay=$PWD/$replay ;; esac
script=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
expected=${script%.script}.expected
root=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/Data"
cp -r "$root/Data/." "$work/Data/"
fixture=$(sed -n 's/^# fixture: *//p' "$script" | head -n 1)
if [ -n "$fixture" ]; then
  cp -r "$root/tests/fixtures/$fixture/." "$work/"
fi
if ! (cd "$work" && sed -n 's/^# setup: *//p' "$script" | bash -e); then
  echo "setup failed" >&2
  exit 1
fi

envs=$(sed -n 's/^# env: *//p' "$script")
(cd "$work" && env $envs "$replay" --folder "$work" "$script") > "$work/.actual" 2>&1
echo "exit $?" >> "$work/.actual"

if [ "${3:-}" = "--update" ]; then
  cp "$work/.actual" "$expected"
  exit 0
fi
diff -u "$expected" "$work/.actual"
