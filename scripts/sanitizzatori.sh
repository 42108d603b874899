#!/usr/bin/env bash
# The unit, window and platform tests, and the replay of the fuzz corpus,
# built with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan;
# the first finding fails its test. The end-to-end tests in a real X server
# stay on the normal build. Run after scripts/test.sh (packages).
set -euo pipefail
cd "$(dirname "$0")/.."
cartella=build-asan

# -O1 and line tables only: a quicker build, stacks still named to the line.
cmake -S . -B "$cartella" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DVELMO_SANITIZZATORI=ON >/dev/null
cmake --build "$cartella" -j "$(nproc)" --target \
  test_core test_forms test_platform \
  fuzz_ini fuzz_partita fuzz_wave

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
cd "$cartella"
ctest --output-on-failure -j "$(nproc)" -E '_e2e$'
