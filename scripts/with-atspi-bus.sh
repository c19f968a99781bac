#!/usr/bin/env bash
# Runs a command as a program under a screen reader runs: on its own Xvfb display, on a private
# session bus with the AT-SPI accessibility bus and registry, Qt's bridge always on.
set -euo pipefail
if [ -z "${TABRIX_ATSPI_INNER:-}" ]; then
  # The daemons the buses start may outlive the command. They write into a file, not into our
  # output, so that nobody waits for them to close it, and they end with the session they run in.
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  set +e
  setsid dbus-run-session -- env TABRIX_ATSPI_INNER=1 "$0" "$@" >"$log" 2>&1 &
  session=$!
  wait "$session"
  status=$?
  pkill -KILL -s "$session" 2>/dev/null
  grep -v 'Failed to set fd limit\|Activating service\|Successfully activated\|SpiRegistry daemon' \
    "$log"
  exit "$status"
fi
# The accessibility bus's socket lives in the runtime folder: one of our own, so that two runs at
# once never share a bus.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb=$!
read -r -t 10 display <&3
export DISPLAY=":$display"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill $launcher $xvfb 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
# Until the launcher owns its name, asking for the bus would start a second one.
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' &&
    break
  sleep 0.1
done
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
