#!/usr/bin/env bash
# Installs what is missing, builds the default and the sanitizer presets, runs every test of
# both, then a bounded fuzz campaign of the file parsers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default asan
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
status=0
for preset in default asan; do
  echo "== tests: $preset"
  ctest --preset "$preset" -j "$(nproc)" || status=1
done
echo "== Windows program (cross build, Wine)"
scripts/windows-check.sh || status=1
echo "== fuzz campaign"
scripts/fuzz.sh 30 || status=1
exit $status
