#!/usr/bin/env bash
# The live tests: the real program in real windows on a virtual X server with a real window
# manager (openbox), input through XTest, the screen read back. Every step waits for a condition
# (a window mapped or gone, the pixels equal to a picture, a property set), never a bare delay.
#
#   live.sh KELTO XPROBE REPLAY CASE [ARGS]
#
# CASE is one of: cycles N, pixels SCALE, box_on_top, about_opacity, terminate, fullscreen.
# With KELTO_LIVE_INNER set the script is already inside its X server.
set -euo pipefail
kelto=$(realpath "$1") probe=$(realpath "$2") replay=$(realpath "$3") case_name=$4
shift 4
root=$(cd "$(dirname "$0")/../.." && pwd)

if [ -z "${KELTO_LIVE_INNER:-}" ]; then
  export KELTO_LIVE_INNER=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp" bash "$0" "$kelto" "$probe" \
    "$replay" "$case_name" "$@"
fi

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  # KELTO_LIVE_SHOTS: a folder that keeps the screen as it was when a step failed.
  [ -n "${KELTO_LIVE_SHOTS:-}" ] && import -window root "$KELTO_LIVE_SHOTS/failed-$case_name.png"
  [ -f "$work/err" ] && cat "$work/err" >&2
  exit 1
}

# A program folder of its own: the executable with the shipped Data/ beside it.
mkdir -p "$work/game/Data"
cp "$kelto" "$work/game/kelto"
cp -r "$root/Data/." "$work/game/Data/"

openbox --sm-disable > "$work/wm.log" 2>&1 &
wm=$!
for _ in $(seq 200); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

MENU="Келто-PC v1.00" GAME="Келто" ABOUT="О программе" SPLASH="Form2"
start() {
  xdotool mousemove 1 1  # nowhere near a button: a hover face would change the pictures
  (cd "$work/game" && SDL_AUDIODRIVER=dummy exec ./kelto) 2> "$work/err" &
  pid=$!
  menu=$("$probe" window "$MENU") || fail "no main menu"
}
alive() { kill -0 "$pid" 2>/dev/null || fail "the program ended (step: $1)"; }
window() { "$probe" window "$1" "${2:-10}" || fail "no window \"$1\""; }
gone() { "$probe" gone "$1" "${2:-10}" || fail "window \"$1\" still there"; }
# The headless picture of a state, from a replay script run in a copy of the program folder.
headless() {
  local script=$1
  mkdir -p "$work/headless"
  rm -rf "$work/headless/Data"
  cp -r "$root/Data" "$work/headless/Data"
  (cd "$work/headless" && "$replay" --folder "$work/headless" "$script") > "$work/headless.out" 2>&1 \
    || { cat "$work/headless.out" >&2; fail "headless run of $script"; }
}
match() { SCALE=${scale:-1} "$probe" match "$@" || fail "pixels of $1 differ from $3"; }
# Where a control's centre is, in client pixels at the window's scale.
at() { echo $(( $1 * ${scale:-1} )) $(( $2 * ${scale:-1} )); }
new_game() {
  game=$(click_for "$GAME" "$menu" $(at 172 143))
}
# A message box: its window, centred over its owner, and its buttons' centres.
box_button() {  # BOX INDEX COUNT -> x y
  read -r _ _ w h < <("$probe" geometry "$1")
  local s=${scale:-1} left
  left=$(( (w / s - ($3 * 75 + ($3 - 1) * 8)) / 2 ))
  echo $(( (left + $2 * 83 + 37) * s )) $(( (h / s - 23) * s ))
}
# Clicks until a window of that title opens, three times at most: now and then a click that the
# window manager delivers while it is still moving the focus does not reach the program.
click_for() {  # TITLE WINDOW X Y
  local title=$1; shift
  for _ in 1 2 3; do
    "$probe" click "$@"
    "$probe" window "$title" 6 && return 0
  done
  fail "no window \"$title\" after three clicks"
}
# Keys go to the window that has the focus: wait until that is the one meant, as a player would.
press() {  # WINDOW KEY...
  local w=$1; shift
  "$probe" focused "$w" 5 || fail "window $w never got the focus"
  "$probe" key "$@"
}
bar_open() { press "$game" space; }
box_title() { sed -n 's/.*msgbox style=[0-9]* title="\([^"]*\)".*/\1/p' "$work/headless.out" | sed -n "${1}p"; }

case "$case_name" in
  cycles)
    # The paths that once ended the program with an X error, each over and over.
    n=${1:-50}
    printf '%s\n' "click Form1 Label4" "wait 3000" "keydown 32" "keyup 32" "wait 2000" \
      "screenshot Игра $work/bar.png" > "$work/bar.script"
    headless "$work/bar.script"
    start
    for i in $(seq "$n"); do
      about=$(click_for "$ABOUT" "$menu" $(at 172 215))
      press "$about" Escape; gone "$ABOUT"; alive "About window $i"
    done
    for i in $(seq "$n"); do
      new_game
      press "$game" Escape; menu=$(window "$MENU"); gone "$GAME"; alive "new game and Esc $i"
    done
    new_game
    for i in $(seq "$n"); do
      press "$game" F8; box=$(window "Файл не найден")
      press "$box" Return; gone "Файл не найден"; alive "F8 without a save $i"
    done
    for i in $(seq "$n"); do
      bar_open; match "$game" 5 "$work/bar.png"
      box=$(click_for "Точно?" "$game" $(at 74 414))
      "$probe" focused "$box" 5; "$probe" click "$box" $(box_button "$box" 1 2); gone "Точно?"; alive "the bar's new game, No $i"
      bar_open
    done
    echo "cycles: $n of each path, the program alive"
    ;;

  pixels)
    # One walk through every window and both kinds of box: the live client pixels equal the
    # headless picture of the same state.
    scale=${1:-1}
    export KELTO_SCALE=$scale
    cat > "$work/walk.script" <<SCRIPT
screenshot Form1 $work/menu.png
click Form1 Label4
screenshot Form2 $work/splash.png
wait 3000
screenshot Игра $work/game.png
boxshot $work/nosave.png
answer ok
keydown 119
keyup 119
keydown 32
keyup 32
wait 2000
screenshot Игра $work/bar.png
boxshot $work/question.png
answer no
click Игра Label2
SCRIPT
    headless "$work/walk.script"
    start
    match "$menu" 5 "$work/menu.png"
    "$probe" focused "$menu" 5; "$probe" click "$menu" $(at 172 143)
    splash=$("$probe" window "$SPLASH" 2 2>/dev/null) && { SCALE=$scale "$probe" match "$splash" 1 "$work/splash.png" || echo "note: the splash closed before it was read"; }
    game=$(window "$GAME")
    match "$game" 5 "$work/game.png"
    press "$game" F8; box=$(window "$(box_title 1)")
    match "$box" 5 "$work/nosave.png"
    press "$box" Return; gone "$(box_title 1)"
    bar_open
    match "$game" 5 "$work/bar.png"
    box=$(click_for "$(box_title 2)" "$game" $(at 74 414))
    match "$box" 5 "$work/question.png"
    "$probe" focused "$box" 5; "$probe" click "$box" $(box_button "$box" 1 2); gone "$(box_title 2)"
    xdotool mousemove 1 1  # off the menu's buttons, so no hover face shows on the fresh menu
    press "$game" Escape; menu=$(window "$MENU")
    match "$menu" 5 "$work/menu.png"
    # The About window's clock runs on the real time: pictures for the next seconds.
    about=$(click_for "$ABOUT" "$menu" $(at 172 215))
    "$probe" opacity "$about" 215 10 || fail "About window never faded in"
    now=$(date +%s)
    {
      echo "show Опрог"; echo "wait 6000"
      for k in $(seq 0 8); do
        echo "time $(date -u -d "@$((now + k))" +%T)"; echo "wait 150"
        echo "screenshot Опрог $work/about$k.png"
      done
    } > "$work/about.script"
    headless "$work/about.script"
    match "$about" 6 "$work"/about?.png
    press "$about" Escape; gone "$ABOUT"
    alive "the walk"
    echo "pixels: every window at scale $scale equal to its headless picture"
    ;;

  box_on_top)
    start
    new_game
    press "$game" F8; box=$(window "Файл не найден")
    "$probe" click "$game" 10 10
    "$probe" above "$box" "$game" 5 || fail "the box went behind the game window"
    "$probe" click "$menu" 5 5 2>/dev/null || true
    [ "$("$probe" count "Файл не найден")" = 1 ] || fail "the box is gone"
    press "$box" Return; gone "Файл не найден"
    alive "a click on the owner"
    echo "box_on_top: the box stayed above its window"
    ;;

  about_opacity)
    start
    about=$(click_for "$ABOUT" "$menu" $(at 172 215))
    "$probe" opacity "$about" 215 10 || fail "opacity never reached 215"
    echo "about_opacity: 215 of 255"
    ;;

  terminate)
    start
    new_game
    press "$game" F8; window "Файл не найден" > /dev/null
    kill -TERM "$pid"
    rc=0; wait "$pid" || rc=$?
    pid=""
    [ "$rc" = 0 ] || fail "exit code $rc after a terminate signal"
    [ ! -e "$work/game/Data/Kelto.sav" ] || fail "something was saved"
    echo "terminate: exit code 0 with a box open"
    ;;

  fullscreen)
    cat > "$work/game.script" <<SCRIPT
click Form1 Label4
wait 3000
screenshot Игра $work/game.png
SCRIPT
    headless "$work/game.script"
    start
    new_game
    match "$game" 5 "$work/game.png"
    before=$("$probe" geometry "$game")
    press "$game" F11
    "$probe" match-screen "$game" 5 "$work/game.png" || fail "fullscreen pixels"
    press "$game" F8; box=$(window "Файл не найден")
    "$probe" above "$box" "$game" 5 || fail "the box is not over the fullscreen window"
    press "$box" Return; gone "Файл не найден"
    press "$game" Alt_L Return
    match "$game" 5 "$work/game.png"
    after=$("$probe" geometry "$game")
    [ "$before" = "$after" ] || fail "window at $after, was at $before"
    echo "fullscreen: in and out, pixels at the chosen scale"
    ;;
  *)
    echo "unknown case $case_name" >&2; exit 2 ;;
esac
