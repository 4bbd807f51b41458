#!/usr/bin/env bash
# Installs what is missing, builds the default and the sanitizer presets, runs every test of
# both, checks the Windows program (cross build, tests and a run under Wine), then runs a
# bounded fuzz campaign of the file parsers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh default asan
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
for preset in default asan; do
  echo "== tests: $preset"
  ctest --preset "$preset" -j "$(nproc)" 2>&1 | tee -a "$log" || status=1
done
echo "== Windows program (cross build, Wine)"
scripts/windows-check.sh 2>&1 | tee -a "$log" || status=1
echo "== fuzz campaign"
scripts/fuzz.sh 30 || status=1

# One closing line for both builds and the Windows suite.
passed=$(awk '/tests passed, [0-9]+ tests failed out of/ {p += $NF - $4} END {print p+0}' "$log")
failed=$(awk '/tests passed, [0-9]+ tests failed out of/ {f += $4} END {print f+0}' "$log")
win=$(sed -n 's/.*tests under Wine: \[  PASSED  \] \([0-9]*\) tests.*/\1/p' "$log" | tail -n1)
passed=$((passed + ${win:-0}))
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
echo "tests: $passed passed, $failed failed"
exit $status
