#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing and we may),
# then configures and builds into build/. Sourced by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev
          fonts-liberation2 fonts-dejavu-core libgtest-dev libbenchmark-dev fp-utils
          xvfb xdotool x11-apps imagemagick clang-14 libclang-rt-14-dev llvm-14
          desktop-file-utils appstream sox)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
