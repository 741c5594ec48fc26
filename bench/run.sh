#!/usr/bin/env bash
# Kelto's benchmarks: builds what they need, runs them and prints one table.
#   bench/run.sh                  uses the build folder build/ (BUILD_DIR=... for another)
# Needs xvfb-run, xdotool and ImageMagick's import for the live measurements; the live program
# runs under a virtual X server at 1024 x 768, without sound. Benchmarks are never tests: the
# numbers depend on the machine and on whatever else it is doing.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$repo/build}
jobs=${JOBS:-2}
secs=${BENCH_SECONDS:-5}

for tool in xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "bench/run.sh needs $tool" >&2; exit 2; }
done

echo "building in $build ..." >&2
[ -f "$build/CMakeCache.txt" ] || cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" --target kelto kelto-replay kelto-levels bench_load bench_timers >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# ---- headless -------------------------------------------------------------------------------
echo "headless: new game, map ..." >&2
"$build/bench/bench_load" 172 142 "$build/app" > "$work/load.txt"

echo "headless: speed ..." >&2
virtual_ms=3600000
printf 'click Form1 Label4\nwait 1000\nwait %d\nstate\n' "$virtual_ms" > "$work/long.script"
t0=$(date +%s%N)
"$build/tools/kelto-replay" --folder "$build/app" "$work/long.script" > "$work/long.out"
t1=$(date +%s%N)
grep -q 'timers=Timer2' "$work/long.out" || { echo "the long headless run did not reach the game" >&2; exit 1; }
speed=$(awk -v v="$virtual_ms" -v ns=$((t1 - t0)) 'BEGIN { printf "%.0f", (v + 1000) / (ns / 1e6) }')

solver_levels=0
echo "headless: solver ..." >&2
count=$(head -1 "$repo/Data/Map.res" | tr -d '\r')
total=0
max=0
for ((level = 1; level <= count; level++)); do
  s0=$(date +%s%N)
  "$build/tools/levels/kelto-levels" solve "$repo/Data/Map.res" "$level" "$work/solve.script" \
    --data "$repo/Data" > /dev/null 2>&1 || true
  ms=$((($(date +%s%N) - s0) / 1000000))
  total=$((total + ms))
  [ "$ms" -gt "$max" ] && max=$ms
  solver_levels=$((solver_levels + 1))
done
solver="$((total / solver_levels)) ms mean, $max ms worst ($solver_levels levels)"

# ---- live, under a virtual X server ----------------------------------------------------------
# Three runs of the live program; each measures every figure once and the table shows medians.
echo "live: first frame, CPU, memory, timers (about $((3 * (5 * secs + 16) + secs)) s) ..." >&2
cat > "$work/live.sh" <<'LIVE'
set -euo pipefail
kelto=$1 timers=$2 secs=$3 work=$4
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=x11 KELTO_SCALE=1
hz=$(getconf CLK_TCK)
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
cpu_pct() {  # percent of one core used by PID over SECS seconds (utime + stime, 1 / CLK_TCK s)
  local a b
  a=$(cpu_ticks "$1"); sleep "$2"; b=$(cpu_ticks "$1")
  awk -v d=$((b - a)) -v hz="$hz" -v s="$2" 'BEGIN { printf "%.2f", d / hz / s * 100 }'
}
shown() { timeout 10 xdotool search --sync --onlyvisible --class kelto | head -1; }
click_at() {  # click at client pixel X Y of the window
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

"$timers" "$secs" > "$work/timers.txt"

for run in 1 2 3; do
  # Start to the main menu's first frame.
  KELTO_BENCH_EXIT_AFTER_FIRST_FRAME=$EPOCHREALTIME "$kelto" |
    sed -n 's/first frame: \(.*\) ms/first_ms \1/p'

  "$kelto" &
  pid=$!
  sleep 2
  echo "menu_cpu $(cpu_pct $pid "$secs")"
  # The program's windows carry the class "kelto"; the menu is the only one shown at first.
  menu=$(shown)
  click_at "$menu" 172 142  # "Новая игра"
  sleep 2
  game=$(shown)
  eval "$(xdotool getwindowgeometry --shell "$game")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
  sleep 1
  echo "stand_cpu $(cpu_pct $pid "$secs")"
  # Space every 0.7 s keeps the bar sliding in and out, with the lightning on.
  ( while kill -0 $pid 2>/dev/null; do xdotool key space; sleep 0.7; done ) &
  slider=$!
  sleep 0.3
  echo "slide_cpu $(cpu_pct $pid "$secs")"
  kill $slider
  wait $slider 2>/dev/null || true
  sleep 1
  # Holding Right walks the hero across the first screen (about 4 s) into the second.
  xdotool keydown Right
  echo "walk_cpu $(cpu_pct $pid 4)"
  [ "$run" = 1 ] && { import -window root "$work/walked.png" 2>/dev/null || true; }
  xdotool keyup Right
  echo "hwm_kb $(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")"
  kill $pid
  wait $pid 2>/dev/null || true

  # The About window beside a fresh main menu.
  "$kelto" &
  pid=$!
  click_at "$(shown)" 174 214  # "Инфо"
  sleep 3                      # past the fade-in
  echo "about_cpu $(cpu_pct $pid "$secs")"
  kill $pid
  wait $pid 2>/dev/null || true
done
LIVE
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/live.sh" "$build/app/kelto" \
  "$build/bench/bench_timers" "$secs" "$work" > "$work/live.txt"
[ -n "${BENCH_KEEP_SHOT:-}" ] && cp "$work/walked.png" "$BENCH_KEEP_SHOT"

# ---- the table -------------------------------------------------------------------------------
val() { awk -v k="$1" '$1 == k { print $2; exit }' "$2"; }
median() { awk -v k="$1" '$1 == k { print $2 }' "$2" | sort -g | awk '{ a[NR] = $1 }
  END { print a[int((NR + 1) / 2)] }'; }
new_game=$(val new_game_ms "$work/load.txt")
map20=$(val map20_ms "$work/load.txt")
first=$(median first_ms "$work/live.txt")
menu_cpu=$(median menu_cpu "$work/live.txt")
about_cpu=$(median about_cpu "$work/live.txt")
stand_cpu=$(median stand_cpu "$work/live.txt")
walk_cpu=$(median walk_cpu "$work/live.txt")
slide_cpu=$(median slide_cpu "$work/live.txt")
hwm=$(median hwm_kb "$work/live.txt")
tsecs=$(val seconds "$work/timers.txt")
t10=$(val ticks10 "$work/timers.txt")
t50=$(val ticks50 "$work/timers.txt")
timer_row() {  # ticks, period as ticked (ms): "N ticks in S s (expected E, error P %)"
  awk -v n="$1" -v p="$2" -v s="$tsecs" 'BEGIN {
    e = s * 1000 / p; printf "%d ticks in %.2f s (expected %.1f, %+.2f %%)", n, s, e, (n / e - 1) * 100 }'
}
ok() { awk -v a="$1" -v b="$2" 'BEGIN { print (a + 0 <= b + 0) ? "yes" : "NO" }'; }
okpct() { awk -v n="$1" -v p="$2" -v s="$tsecs" 'BEGIN { e = s * 1000 / p; d = (n / e - 1) * 100;
  print (d <= 1 && d >= -1) ? "yes" : "NO" }'; }
all() { awk -v k="$1" '$1 == k { printf "%s%s", sep, $2; sep = ", " }' "$work/live.txt"; }

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
cat <<TABLE
| Measurement (live ones: median of 3 runs) | Result | Runs | Goal | Met |
|---|---|---|---|---|
| Start to the main menu's first frame (live, Xvfb) | $first ms | $(all first_ms) | ≤ 50 ms | $(ok "$first" 50) |
| "Новая игра" to the game window shown, less the splash's 500 ms (headless, median of 21) | $new_game ms | | < 30 ms | $(ok "$new_game" 29.999) |
| CPU, idle in the main menu ($secs s) | $menu_cpu % of one core | $(all menu_cpu) | < 1 % | $(ok "$menu_cpu" 0.999) |
| CPU, About window with its clock ($secs s) | $about_cpu % | $(all about_cpu) | | |
| CPU, game window, hero standing ($secs s) | $stand_cpu % | $(all stand_cpu) | ≤ 0.3 % | $(ok "$stand_cpu" 0.3) |
| CPU, game window, holding Right across the first screen (4 s) | $walk_cpu % | $(all walk_cpu) | ≤ 1.0 % | $(ok "$walk_cpu" 1.0) |
| CPU, game window, menu bar sliding with lightning ($secs s) | $slide_cpu % | $(all slide_cpu) | ≤ 1.5 % | $(ok "$slide_cpu" 1.5) |
| Peak memory in the game (VmHWM at the end of each run) | $((hwm / 1024)) MB ($hwm kB) | $(all hwm_kb) | ≤ 25 MB | $(ok "$hwm" 25600) |
| 10 ms timer (ticks every 15.625 ms) | $(timer_row "$t10" 15.625) | | within 1 % | $(okpct "$t10" 15.625) |
| 50 ms timer | $(timer_row "$t50" 50) | | within 1 % | $(okpct "$t50" 50) |
| Headless speed (kelto-replay, 1 h of game time standing) | ${speed}× real time | | ≥ 1000× | $(awk -v s="$speed" 'BEGIN { print (s >= 1000) ? "yes" : "NO" }') |
| Reading a 20-level map (median of 51) | $map20 ms | | < 5 ms | $(ok "$map20" 4.999) |
| Solver per level (kelto-levels solve, shipped map) | $solver | | | |
TABLE
