#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Takes a screenshot of the Quadrix window under a virtual X server, for the
# README, and one with ChArUco chosen and the Target menu open.
# Usage: scripts/screenshot.sh [build-dir] [output.png] [target-menu.png]
set -euo pipefail
build=${1:-build}
out=${2:-docs/screenshot.png}
menu_out=${3:-docs/target-menu.png}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (xvfb, xdotool, imagemagick)" >&2; exit 1; }
done
display=:97
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/quadrix" &
app=$!
for _ in $(seq 50); do
    id=$(DISPLAY=$display xdotool search --onlyvisible --name '^Quadrix$' 2>/dev/null | head -n 1 || true)
    [ -n "${id:-}" ] && break
    sleep 0.2
done
[ -n "${id:-}" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1
DISPLAY=$display import -window "$id" "$out"
echo "wrote $out"

# Target > ChArUco, then the menu open again over the window; without a window
# manager the menu is a window of its own, so the screen is cut to the window.
DISPLAY=$display xdotool windowfocus --sync "$id" key alt+t
sleep 0.5
DISPLAY=$display xdotool key a
sleep 1
DISPLAY=$display xdotool key alt+t
sleep 1
eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$id")"
DISPLAY=$display import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$menu_out"
echo "wrote $menu_out"
