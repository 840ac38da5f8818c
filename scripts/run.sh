#!/usr/bin/env bash
# Builds the game and starts it from the folder that holds its pictures and sounds.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cd build/game
exec ./quadrimo "$@"
