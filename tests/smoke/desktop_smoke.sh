#!/usr/bin/env bash
# Starts the real program on a virtual X display with an experiment file as its
# argument, waits for the window captioned with the file's name, takes a
# screenshot, checks it is not blank and shows the experiment's status, and
# closes the window with the window manager's close request: the program must
# end at once with status 0.
# usage: desktop_smoke.sh PROGRAM EXPERIMENT.aie SCREENSHOT.png
set -euo pipefail
program=$1
experiment=$2
screenshot=$3
here=$(cd "$(dirname "$0")" && pwd)

run_on_display() {
    "$program" "$experiment" &
    local pid=$!
    local window caption
    caption="$(basename "$experiment") - Ampery"
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${caption}\$" | head -n 1) || {
        echo "smoke: no window captioned \"$caption\" appeared" >&2
        kill "$pid"
        return 1
    }
    sleep 2
    import -window root "$screenshot"
    local colours
    colours=$(identify -format '%k' "$screenshot")
    if [ "$colours" -lt 50 ]; then
        echo "smoke: the screenshot looks blank ($colours colours)" >&2
        kill "$pid"
        return 1
    fi
    # The status line (the box under the palette, white and empty before an
    # experiment is analysed) must hold text: dark pixels inside its border.
    local X Y WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local text
    text=$(convert "$screenshot" -crop "188x108+$((X + 8))+$((Y + 352))" -colorspace gray \
        -threshold 50% -format '%[fx:round((1-mean)*w*h)]' info:)
    if [ "$text" -lt 100 ]; then
        echo "smoke: the status line shows no text ($text dark pixels)" >&2
        kill "$pid"
        return 1
    fi
    /usr/bin/python3 "$here/close_window.py" "$window"
    local status=0
    timeout 10 tail --pid="$pid" -f /dev/null || {
        echo "smoke: the program did not end after the close request" >&2
        kill "$pid"
        return 1
    }
    wait "$pid" || status=$?
    echo "smoke: window closed, program ended with status $status; $colours colours on screen," \
        "$text dark pixels in the status line"
    return "$status"
}

if [ "${AMPERY_SMOKE_ON_DISPLAY:-}" = 1 ]; then
    # A data folder of its own: no recovery copy of another run is offered.
    XDG_DATA_HOME=$(mktemp -d)
    export XDG_DATA_HOME
    trap 'rm -rf "$XDG_DATA_HOME"' EXIT
    run_on_display
else
    AMPERY_SMOKE_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x700x24" "$0" "$@"
fi
