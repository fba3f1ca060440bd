#!/usr/bin/env bash
# A person at the keyboard, end to end: starts the program under a virtual X server with German
# regional settings, types a warp factor and a distance with real key events, presses Enter,
# copies the speed out of its field through the clipboard, and ends the program with Alt+E.
#
#   real_keys.sh <path to warp-rechner>
set -euo pipefail
exec xvfb-run --auto-servernum --server-args='-screen 0 800x600x24' bash -c '
    set -euo pipefail
    LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 "$1" &
    program=$!
    trap "kill $program 2>/dev/null || true" EXIT
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^Warp - Rechner$" | head -n 1)
    [[ -n $id ]] || { echo "no window called \"Warp - Rechner\""; exit 1; }
    xdotool windowfocus --sync "$id"
    sleep 0.3

    # The focus starts in txtWarp; Tab goes to txtSpeed, then to txtEntfernung.
    xdotool type --delay 30 "5"
    xdotool key --delay 30 Tab Tab
    xdotool type --delay 30 "4,2"
    xdotool key Return
    sleep 0.3
    xdotool key --delay 30 shift+Tab ctrl+a ctrl+c
    sleep 0.3
    speed=$(timeout 5 xclip -o -selection clipboard)
    [[ $speed == "213,7470" ]] || { echo "speed field shows \"$speed\", not \"213,7470\""; exit 1; }

    xdotool key alt+e
    for _ in $(seq 50); do
        kill -0 $program 2>/dev/null || { echo "speed $speed; ended by Alt+E"; exit 0; }
        sleep 0.1
    done
    echo "the program is still running after Alt+E"
    exit 1
' real_keys "$1"
