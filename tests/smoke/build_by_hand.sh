#!/bin/bash
# Builds a source, a switch and a lamp by hand in the real window under Xvfb,
# with clicks and pointer moves as a student makes them, and takes a
# screenshot with the switch open, one after double-clicking it closed and
# one after a long drag of the lamp.
# A check to look at, not a test: it prints nothing about what it sees.
# usage: build_by_hand.sh PROGRAM [OUTPUT-DIR]
set -u
APP=${1:?usage: build_by_hand.sh PROGRAM [OUTPUT-DIR]}
OUT=${2:-.}
STEP=0.15

# A free display number.
D=57
while [ -e /tmp/.X11-unix/X$D ] || [ -e /tmp/.X$D-lock ]; do D=$((D + 1)); done
Xvfb :$D -screen 0 1280x900x24 >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:$D
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$APP" >"$OUT/app_stderr.log" 2>&1 &
APPPID=$!
cleanup() {
    kill "$APPPID" 2>/dev/null
    wait "$APPPID" 2>/dev/null
    kill "$XVFB" 2>/dev/null
    wait "$XVFB" 2>/dev/null
}
trap cleanup EXIT

WIN=$(timeout 20 xdotool search --sync --onlyvisible --name 'Ampery$' | head -1)
[ -n "$WIN" ] || { echo "no Ampery window" >&2; exit 1; }
sleep 1
xdotool windowmove "$WIN" 50 50 windowsize "$WIN" 1100 800
sleep 1

# Window origin on screen; the client area starts below the menu bar.
eval "$(xdotool getwindowgeometry --shell "$WIN")"   # X, Y
MENU=20                   # menu bar height (measured on the screenshot)
CX=$X; CY=$((Y + MENU))   # client widget origin
AX=$((CX + 204)); AY=$((CY + 64))   # experiment area origin

click_at() { xdotool mousemove "$1" "$2"; sleep $STEP; xdotool click 1; sleep $STEP; }
# A point of the experiment area (area coordinates).
area_click() { click_at $((AX + $1)) $((AY + $2)); }
area_move() { xdotool mousemove $((AX + $1)) $((AY + $2)); sleep $STEP; }
# A palette button: its design rectangle (client coordinates), clicked on its caption.
palette() { click_at $((CX + $1 + 28)) $((CY + $2 + 12)); }

# Place: a click is the centre of the 77 x 68 picture (top-left = click - (38, 34)).
palette 117 134; area_click 100 200     # 电源 (source), top-left (62,166)
palette 117 158; area_click 300 120     # 开关 (switch), top-left (262,86)
palette 117 182; area_click 300 300     # 电灯 (lamp),   top-left (262,266)

# Wires. Posts (attach points, area coordinates):
#   source +  (88,172)  source -  (110,172)
#   switch +  (278,140) switch -  (324,138)
#   lamp +    (278,320) lamp -    (324,318)
palette 117 108                         # 导线 (wire)
area_click 84 172                       # source +
area_move 84 120; area_move 88 60; area_move 160 60; area_move 230 60; area_move 230 140
area_click 278 140                      # switch +
area_click 324 138                      # switch -
area_move 380 138; area_move 420 140; area_move 420 250; area_move 420 330; area_move 360 330
area_click 324 318                      # lamp -
area_click 278 320                      # lamp +
area_move 240 340; area_move 200 350; area_move 130 350; area_move 116 260; area_move 116 200
area_click 116 172                      # source -
xdotool mousemove $((AX + 600)) $((AY + 500)); sleep 0.5
import -window root "$OUT/hand_open.png"

# Close the switch: select tool, double-click the switch picture.
palette 21 94                           # 选择 (select)
xdotool mousemove $((AX + 300)) $((AY + 110)); sleep $STEP
xdotool click --repeat 2 --delay 80 1; sleep 0.5
xdotool mousemove $((AX + 600)) $((AY + 500)); sleep 0.5
import -window root "$OUT/hand_closed.png"

# A long drag of the lamp with the move tool, far to the right and up: its
# two wires must stay on the lamp's posts and on the switch's and source's.
palette 21 126                          # 移动 (move)
xdotool mousemove $((AX + 300)) $((AY + 290)); sleep $STEP
xdotool mousedown 1; sleep $STEP
for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((AX + 300 + 40 * step)) $((AY + 290 - 12 * step)); sleep $STEP
done
xdotool mouseup 1; sleep 0.5
xdotool mousemove $((AX + 600)) $((AY + 500)); sleep 0.5
import -window root "$OUT/hand_dragged.png"

# Leave by the keyboard (Ctrl+Q); an unsaved experiment may ask first: that
# screen is kept, and the program is then killed by the cleanup.
xdotool windowfocus "$WIN" 2>/dev/null; xdotool key ctrl+q
sleep 1
if kill -0 "$APPPID" 2>/dev/null; then
    import -window root "$OUT/hand_on_close.png"
    for w in $(xdotool search --onlyvisible --name '.'); do
        echo "window on close: $(xdotool getwindowname "$w")"
    done
fi
exit 0
