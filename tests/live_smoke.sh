#!/usr/bin/env bash
# Starts the real program under a virtual X server, checks that the main menu is its first and
# only window, and keeps a screenshot of the screen.
set -euo pipefail
kelto=$1
shot=${KELTO_SMOKE_SHOT:-$(dirname "$kelto")/live-smoke.png}
inner=$(mktemp)
trap 'rm -f "$inner"' EXIT
cat > "$inner" <<INNER
set -eu
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$kelto" &
pid=\$!
sleep 2
kill -0 \$pid
windows=\$(xwininfo -root -tree | grep -c '"Келто-PC v1.00"' || true)
import -window root "$shot"
kill \$pid
wait \$pid 2>/dev/null || true
echo "main menu windows: \$windows"
[ "\$windows" -ge 1 ]
[ "\$(xwininfo -root -tree | grep -c 'Келто' || true)" -eq 0 ]
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$inner"
