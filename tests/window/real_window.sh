#!/usr/bin/env bash
# Starts the program under a virtual X server and checks that its window appears with its
# caption and a client area of 498 x 319 pixels; then ends the program.
#
#   real_window.sh <path to warp-rechner>
set -euo pipefail
exec xvfb-run --auto-servernum --server-args='-screen 0 800x600x24' bash -c '
    set -euo pipefail
    "$1" &
    program=$!
    trap "kill $program 2>/dev/null || true" EXIT
    id=$(timeout 20 xdotool search --sync --onlyvisible --name "^Warp - Rechner$" | head -n 1)
    [[ -n $id ]] || { echo "no window called \"Warp - Rechner\""; exit 1; }
    geometry=$(xdotool getwindowgeometry "$id" | sed -n "s/^ *Geometry: //p")
    [[ $geometry == 498x319 ]] || { echo "window is $geometry, not 498x319"; exit 1; }
    kill -0 $program || { echo "the program has ended on its own"; exit 1; }
    echo "window $id: \"$(xdotool getwindowname "$id")\", $geometry"
' real_window "$1"
