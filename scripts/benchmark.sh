#!/usr/bin/env bash
# Benchmarks, run on request: builds an optimised copy into build-bench,
# runs the blend benchmarks (SDL's blend beside ours), then measures the
# real program under Xvfb at 800 x 600 x 16, 1920 x 1080 x 24 and
# 2560 x 1440 x 24: CPU share (title still, title with the mouse moving,
# game left alone, game played by a script), memory, and the --frame-stats
# figures of the scripted game, with smooth motion and with
# --classic-motion side by side.
# Usage: scripts/benchmark.sh [--before REVISION] [Google Benchmark arguments]
#   --before REVISION  also builds that git revision into build-bench-before
#                      and measures it beside this one, size by size, so both
#                      see the same load.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
before=
if [ "${1:-}" = "--before" ]; then
  before=$2
  shift 2
fi
build() {  # build SOURCE_DIR BUILD_DIR
  cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DQUADRIMO_TESTS=OFF >/dev/null
  cmake --build "$2" -j "$(nproc)" >/dev/null
}
build . build-bench
cmake --build build-bench -j "$(nproc)" --target quadrimo_benchmarks >/dev/null
if [ -n "$before" ]; then
  rm -rf build-bench-before
  mkdir -p build-bench-before/src
  git archive "$before" | tar -x -C build-bench-before/src
  build build-bench-before/src build-bench-before/build
fi
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
home=$(mktemp -d /tmp/quadrimo-bench-XXXXXX)
(cd build-bench/game && HOME="$home" XDG_DATA_HOME="$home/data" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
   ../tools/bench/quadrimo_benchmarks "$@")
rm -rf "$home"
for screen in "800 600 16" "1920 1080 24" "2560 1440 24"; do
  # shellcheck disable=SC2086
  tools/bench/measure_program.sh build-bench/game $screen | sed 's/^/smooth:  /'
  # shellcheck disable=SC2086
  tools/bench/measure_program.sh build-bench/game $screen --classic-motion | sed 's/^/classic: /'
  if [ -n "$before" ]; then
    # shellcheck disable=SC2086
    tools/bench/measure_program.sh build-bench-before/build/game $screen | sed 's/^/before:  /'
  fi
done
echo "machine afterwards: load average $(cut -d' ' -f1-3 /proc/loadavg)"
