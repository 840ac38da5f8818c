#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite with the slow soak,
# installation, Debian package and end-to-end tests; then the whole suite
# again built with Address, Undefined Behaviour and Leak sanitizers; then a
# bounded fuzzing run of each file parser.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh --tests
# A public BMP test suite lying beside the project adds a conformance check.
bmp_suite="$(dirname "$PWD")/shared/testdata/bmpsuite"
if [ -d "$bmp_suite" ]; then export QUADRIMO_BMPSUITE=$bmp_suite; fi
jobs=$(nproc)
started=$SECONDS

ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Sanitizers"
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/leak_suppressions.txt:print_suppressions=0
# The asset generator runs during the build, so it is checked too.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIMO_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE system

echo "== Fuzzing"
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUADRIMO_FUZZ=ON -DQUADRIMO_FUZZ_SECONDS=30 >/dev/null
cmake --build build-fuzz -j "$jobs"
ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
cat build-fuzz/fuzzing/*/summary.txt

echo "All tests passed in $((SECONDS - started)) s after the first build."
