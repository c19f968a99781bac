#!/usr/bin/env bash
# Starts the editor on a private Xvfb with a file to open and waits until its window shows that
# file in the title: smoke-window.sh [PROGRAM] (default: tabrix-pro from PATH). The program runs
# with a private HOME, so the user's settings play no part. SMOKE_DISPLAY picks the first display
# number to try; SMOKE_SHOT=FILE.png keeps a screenshot of the screen.
set -euo pipefail
program=${1:-tabrix-pro}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
mkdir -p "$HOME"
file="$work/smoke note.txt"
printf 'Opened by the smoke test.\n' > "$file"

# -displayfd: Xvfb takes the first free display from the one given and writes its number.
Xvfb ":${SMOKE_DISPLAY:-$((RANDOM % 20000 + 100))}" -displayfd 3 -screen 0 1024x700x24 \
  -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do
  if grep -q . "$work/display"; then break; fi
  sleep 0.1
done
display=$(head -n1 "$work/display")
if [ -z "$display" ]; then echo "smoke-window: Xvfb did not start" >&2; exit 1; fi
export DISPLAY=":$display"

"$program" "$file" &
pids+=($!)
if ! timeout 60 xdotool search --sync --name 'smoke note\.txt\]' >/dev/null; then
  echo "smoke-window: no window of $program showed $file" >&2
  exit 1
fi
if ! kill -0 "${pids[1]}" 2>/dev/null; then
  echo "smoke-window: $program ended after showing its window" >&2
  exit 1
fi
if [ -n "${SMOKE_SHOT:-}" ]; then sleep 1; import -window root "$SMOKE_SHOT"; fi
echo "smoke-window: $program opened $file in its window on $DISPLAY"
