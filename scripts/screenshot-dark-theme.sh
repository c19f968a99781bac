#!/usr/bin/env bash
# The code view on a dark desktop palette (Fusion style), under Xvfb with openbox: one window per
# file, side by side in one picture.
#   screenshot-dark-theme.sh OUT.png FILE...
set -euo pipefail
out=$1; shift
display=${TABRIX_SHOT_DISPLAY:-:96}
cmake --build build --target dark-theme-shot >/dev/null
home=$(mktemp -d)
xvfb='' wm='' shot=''
trap 'kill $shot $wm $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
Xvfb "$display" -screen 0 900x560x24 -nolisten tcp & xvfb=$!
sleep 1
DISPLAY=$display openbox & wm=$!
sleep 1
parts=()
for file in "$@"; do
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        DISPLAY=$display QT_QPA_PLATFORM=xcb build/bin/dark-theme-shot "$file" & shot=$!
    sleep "${TABRIX_SHOT_DELAY:-4}"
    DISPLAY=$display import -window root "$home/part-${#parts[@]}.png"
    parts+=("$home/part-${#parts[@]}.png")
    kill $shot; wait $shot 2>/dev/null || true; shot=''
done
convert "${parts[@]}" +append "$out"
echo "$out"
