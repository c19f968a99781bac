#!/usr/bin/env bash
# Takes the screenshot of Print Preview under Xvfb with openbox:
#   screenshot-print-preview.sh OUT.png [FILE]   (FILE: what to preview, README.md by default)
set -euo pipefail
out=$1
file=${2:-README.md}
display=${TABRIX_SHOT_DISPLAY:-:96}
cmake --build build --target print-preview-shot >/dev/null
xvfb='' wm='' shot=''
trap 'kill $shot $wm $xvfb 2>/dev/null || true' EXIT
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp & xvfb=$!
sleep 1
DISPLAY=$display openbox & wm=$!
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb build/bin/print-preview-shot "$file" & shot=$!
sleep "${TABRIX_SHOT_DELAY:-4}"
DISPLAY=$display import -window root "$out"
echo "$out"
