#!/bin/bash
# Presses 帮助 in the real window under Xvfb and photographs what opens: with
# the desktop's xdg-open, and with a PATH that holds only a CHM viewer, as on
# a desktop without xdg-utils. A check to look at: prints the windows shown.
# usage: help_viewer.sh PROGRAM [OUTPUT-DIR]
set -u
APP=$(realpath "${1:?usage: help_viewer.sh PROGRAM [OUTPUT-DIR]}")
OUT=${2:-.}
mkdir -p "$OUT"

D=71
while [ -e /tmp/.X11-unix/X$D ] || [ -e /tmp/.X$D-lock ]; do D=$((D + 1)); done
Xvfb :$D -screen 0 1280x900x24 >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=:$D
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
ONLY_VIEWER=$(mktemp -d)
ln -s "$(command -v xchm)" "$ONLY_VIEWER/xchm"
DATA=$(mktemp -d)
export XDG_DATA_HOME=$DATA
cleanup() {
    pkill -P $$ 2>/dev/null
    pkill -x xchm 2>/dev/null
    kill "$XVFB" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$ONLY_VIEWER" "$DATA"
}
trap cleanup EXIT

press_help() { # name, PATH for the program
    env PATH="$2" "$APP" >>"$OUT/help_stderr.log" 2>&1 &
    local pid=$!
    local win
    win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Ampery$' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # 帮助 on the toolbar, measured on the screenshot.
    xdotool mousemove $((X + 416)) $((Y + 37)); sleep 0.3; xdotool click 1
    sleep 4
    import -window root "$OUT/help_$1.png"
    echo "$1: windows shown:"
    for w in $(xdotool search --onlyvisible --name '.'); do
        echo "  $(xdotool getwindowname "$w")"
    done
    pkill -x xchm 2>/dev/null
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

press_help with_xdg_open "$PATH"
press_help without_xdg_open "$ONLY_VIEWER"
exit 0
