#!/usr/bin/env bash
# Benchmarks, run on request: builds an optimised copy into build-bench,
# runs the benchmark program (extra arguments go to Google Benchmark), then
# measures the real program's start-up, CPU share and memory under Xvfb.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DQUADRIMO_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)"
cmake --build build-bench -j "$(nproc)" --target quadrimo_benchmarks
home=$(mktemp -d /tmp/quadrimo-bench-XXXXXX)
(cd build-bench/game && HOME="$home" XDG_DATA_HOME="$home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
   ../tools/bench/quadrimo_benchmarks "$@")
rm -rf "$home"
tools/bench/measure_program.sh build-bench/game
