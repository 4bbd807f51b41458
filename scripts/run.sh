#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool on the embedded simulated
# controllers. Without a display it runs the tool offscreen for a few seconds and saves a
# screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default
binary=build/default/bin/Calibration
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$binary"
fi
out="${QUORVEL_OUTPUT:-$PWD/build/screenshots}"
mkdir -p "$out"
echo "No display: running the tool offscreen for 3 seconds."
QT_QPA_PLATFORM=offscreen QUORVEL_SCREENSHOT="$out/dialog.png" QUORVEL_SCREENSHOT_AFTER_MS=3000 "$binary"
