#!/usr/bin/env bash
# Runs a command as a program under a screen reader runs: on its own Xvfb display, on a private
# session bus with the AT-SPI accessibility bus and registry, Qt's bridge always on.
set -euo pipefail
if [ -z "${TABRIX_ATSPI_INNER:-}" ]; then
  set +e
  dbus-run-session -- env TABRIX_ATSPI_INNER=1 "$0" "$@" 2>&1 |
    grep -v 'Failed to set fd limit\|Activating service\|Successfully activated\|SpiRegistry daemon'
  exit "${PIPESTATUS[0]}"
fi
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 10 display <&3
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill $launcher $xvfb 2>/dev/null || true' EXIT
sleep 0.3
DISPLAY=":$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
