#!/usr/bin/env bash
# Installs what the build needs on Debian 12 (as root, or through sudo), then configures
# and builds the given CMake presets (default: "default").
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config clang libclang-rt-dev qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev fonts-liberation xvfb xauth xdotool imagemagick jq)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default)
for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$(nproc)"
done
