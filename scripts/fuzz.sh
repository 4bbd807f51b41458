#!/usr/bin/env bash
# A bounded fuzz campaign of the fleet and store parsers with libFuzzer (clang), SECONDS_EACH
# seconds per target (default 30). Without clang the test suite's deterministic mutation
# tests stand in, and this script says so.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; the deterministic mutation tests of the suite cover the parsers"
  exit 0
fi
out=build/fuzz
mkdir -p "$out/corpus-fleet" "$out/corpus-store"
cp examples/*.json "$out/corpus-fleet/"
echo '{"controllers": {"wheel-1": {"axes": [[1000, 33000, 64000], null]}}}' > "$out/corpus-store/seed.json"
sources=(drivers/simulated/Fleet.cpp drivers/simulated/DefaultFleet.cpp drivers/simulated/JsonErrors.cpp
         drivers/simulated/CalibrationStore.cpp)
flags=(-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -Idrivers -Idrivers/simulated -Idrivers/dinput -ICalibration/platform/directinput -Iframework/include/win32-standin -Iframework/core)
for target in fleet store; do
  clang++ "${flags[@]}" "fuzz/${target}_fuzzer.cpp" "${sources[@]}" -o "$out/${target}_fuzzer"
  echo "fuzz: $target parser for ${seconds}s"
  (cd "$out" && ./"${target}_fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
      "corpus-$target" 2>&1 | grep -E '^(stat::number_of_executed_units|Done|==[0-9]+==ERROR|SUMMARY)' || true)
  # A crash leaves a crash-* file behind.
  if ls "$out"/crash-* "$out"/leak-* "$out"/timeout-* >/dev/null 2>&1; then echo "fuzz: $target parser failed"; exit 1; fi
done
rm -f /tmp/quorvel-store-fuzz-*.json
echo "fuzz: no crash"
