#!/usr/bin/env bash
# Installs what is missing, builds, and starts the tool on the built-in simulated
# controllers, with the window in which you plug them and move their axes. Without a
# display it plays a whole calibration on a virtual display instead, and leaves pictures of
# every stage and the resulting calibration in build/walkthrough.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default
binary=build/default/bin/Calibration
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$binary"
fi
echo "No display: playing a calibration walkthrough on a virtual display."
exec scripts/walkthrough.sh "$binary" build/walkthrough
