#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the installed program offscreen with no
# settings at all: it must find its message strings by itself and open its dialog.
# Usage: scripts/install-check.sh BUILD_DIR
set -euo pipefail
build="$(realpath "$1")"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/Calibration share/quorvel-calibration/registry.ini share/quorvel-calibration/messages/en.msg \
         share/quorvel-calibration/messages/fr.msg share/applications/quorvel-calibration.desktop \
         share/icons/hicolor/48x48/apps/quorvel-calibration.png; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
unset QUORVEL_REGISTRY QUORVEL_CONTROLLERS
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$prefix/run" QUORVEL_CALIBRATION_STORE="$prefix/store.json"
mkdir -m 700 "$prefix/run"
QUORVEL_TRACE=1 QUORVEL_SCREENSHOT="$prefix/shot.png" QUORVEL_SCREENSHOT_AFTER_MS=800 \
  timeout 30 "$prefix/bin/Calibration" 2>"$prefix/trace.log" >/dev/null
if grep -q "message box shown" "$prefix/trace.log" || ! grep -q "dialog 102 shown" "$prefix/trace.log"; then
  echo "the installed program did not open its dialog:"; cat "$prefix/trace.log"; exit 1
fi
grep -q "control 1000 item Quorvel GT Wheel" "$prefix/trace.log" || { echo "no controllers listed"; cat "$prefix/trace.log"; exit 1; }
echo "installed program opens its dialog with its message strings"
