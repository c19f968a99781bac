#!/usr/bin/env bash
# Takes a screenshot of tabrix-pro under Xvfb: screenshot.sh OUT.png [ARGS...]
# The window runs with a private HOME so the user's settings play no part.
set -euo pipefail
out=$1; shift
bin=${TABRIX_BIN:-build/bin/tabrix-pro}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
xvfb-run -a -s "-screen 0 1024x700x24" bash -c '
  "$0" "$@" & pid=$!
  sleep ${TABRIX_SHOT_DELAY:-3}
  import -window root "'"$out"'"
  kill $pid' "$bin" "$@"
echo "$out"
