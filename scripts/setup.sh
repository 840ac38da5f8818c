#!/usr/bin/env bash
# Installs the Debian packages that building and playing need (with --tests,
# also those the tests need) when they are missing, then configures and
# builds into build/. Run by run.sh and test.sh.
# Usage: setup.sh [--tests]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Building and playing: compiler, build tools, the libraries, the fonts the
# game draws its text with, the help compiler (chmcmd), and the translation
# tools (msgfmt, po4a).
play_packages=(cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev
               fonts-liberation2 fonts-dejavu-core fp-utils gettext po4a)
# Testing: the test and benchmark libraries, a headless X server with input
# and screenshot tools, a tiling and a stacking window manager, a headless
# Wayland compositor with its input, screenshot and query tools, clang with
# its sanitizer runtimes and coverage tools for fuzzing, and the checks of
# the installed files and the Debian package.
test_packages=(libgtest-dev libbenchmark-dev xvfb xdotool x11-apps x11-utils imagemagick i3-wm openbox
               sway grim wtype jq
               clang libclang-rt-dev llvm desktop-file-utils appstream dpkg-dev file lintian)

packages=("${play_packages[@]}")
if [ "${1:-}" = --tests ]; then packages+=("${test_packages[@]}"); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them, then run this again:" >&2
    echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"
