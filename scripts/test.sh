#!/usr/bin/env bash
# Installs everything, builds everything, then runs the whole test suite.
# Tests that need a display start their own X server, so this works without
# one. Options are passed to CMake (CI asks for -DVELMO_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh tutto "$@"
cd build
ctest --output-on-failure -j "$(nproc)"
