#!/usr/bin/env bash
# Starts Ordlen. It is a desktop program: without a display there is nothing to show it on.
set -euo pipefail
binary="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Ordlen needs a graphical desktop: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  echo "Start it from a desktop session, or run the tests with 'make test'." >&2
  exit 1
fi
exec "$binary"
