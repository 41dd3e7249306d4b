#!/bin/bash
# The real program on a virtual display, driven as a student would:
#  1. a lamp placed with two clicks; Ctrl+Z empties the area, Ctrl+Y brings
#     the lamp back (the area's pixels are compared);
#  2. a component placed, the program killed with SIGKILL and started again:
#     the recovery question appears, 是 gives the same experiment (the
#     area's pixels again).
# Leaves its screenshots in OUT-DIR. Exits non-zero when a check fails.
# usage: undo_and_recovery.sh PROGRAM [OUT-DIR]
set -u
APP=${1:?usage: undo_and_recovery.sh PROGRAM [OUT-DIR]}
OUT=${2:-.}
mkdir -p "$OUT"
STEP=0.2

D=61
while [ -e /tmp/.X11-unix/X$D ] || [ -e /tmp/.X$D-lock ]; do D=$((D + 1)); done
Xvfb :$D -screen 0 1024x700x24 >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:$D
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# The recovery copies of this run only.
DATA=$(mktemp -d)
export XDG_DATA_HOME=$DATA
APPPID=
cleanup() {
    [ -n "$APPPID" ] && kill -9 "$APPPID" 2>/dev/null
    kill "$XVFB" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$DATA"
}
trap cleanup EXIT

fail() { echo "undo and recovery: $*" >&2; exit 1; }

start_program() {
    "$APP" >>"$OUT/app_stderr.log" 2>&1 &
    APPPID=$!
    WIN=$(timeout 20 xdotool search --sync --onlyvisible --name 'Ampery$' | head -1)
    [ -n "$WIN" ] || fail "no Ampery window"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$WIN")" # X, Y
    CX=$X; CY=$((Y + 20))               # client area, below the menu bar
    AX=$((CX + 204)); AY=$((CY + 64))   # experiment area
}
click_at() { xdotool mousemove "$1" "$2"; sleep $STEP; xdotool click 1; sleep $STEP; }
area_click() { click_at $((AX + $1)) $((AY + $2)); }
palette() { click_at $((CX + $1 + 28)) $((CY + $2 + 12)); }
keys() { xdotool windowfocus "$WIN" 2>/dev/null; xdotool key "$@"; sleep 0.5; }
# The experiment area's pixels, the pointer parked outside it.
shoot_area() {
    xdotool mousemove $((AX + 600)) $((AY + 450)); sleep 0.5
    import -window root "$OUT/$1-screen.png"
    convert "$OUT/$1-screen.png" -crop 490x400+$AX+$AY +repage "$OUT/$1.png"
}
same() { [ "$(compare -metric AE "$OUT/$1.png" "$OUT/$2.png" null: 2>&1)" = 0 ]; }

# ---- 1. undo and redo ----
start_program
shoot_area empty
palette 117 182; area_click 200 150      # 电灯, placed centred on the click
shoot_area lamp
same empty lamp && fail "the lamp did not appear"
keys ctrl+z
shoot_area undone
same undone empty || fail "Ctrl+Z did not empty the area"
keys ctrl+y
shoot_area redone
same redone lamp || fail "Ctrl+Y did not bring the lamp back"
echo "undo and recovery: Ctrl+Z emptied the area, Ctrl+Y brought the lamp back"

# ---- 2. killed, started again, recovered ----
palette 117 206; area_click 350 250      # 电阻 beside the lamp
sleep 2.5                                 # past the recovery copy's interval
shoot_area before-kill
kill -9 "$APPPID"; wait "$APPPID" 2>/dev/null; APPPID=
"$APP" >>"$OUT/app_stderr.log" 2>&1 &
APPPID=$!
BOX=$(timeout 20 xdotool search --sync --onlyvisible --name '^询问：$' | head -1)
[ -n "$BOX" ] || fail "no recovery question after the program was killed"
import -window root "$OUT/question-screen.png"
xdotool windowfocus "$BOX"; sleep $STEP; xdotool key Return; sleep 1
WIN=$(xdotool search --onlyvisible --name 'Ampery$' | head -1)
[ -n "$WIN" ] || fail "no Ampery window after the question"
eval "$(xdotool getwindowgeometry --shell "$WIN")"
CX=$X; CY=$((Y + 20)); AX=$((CX + 204)); AY=$((CY + 64))
shoot_area recovered
same recovered before-kill || fail "the recovered experiment is not the one killed"
echo "undo and recovery: after kill -9 the question appeared and 是 gave the same experiment"
exit 0
