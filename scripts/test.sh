#!/usr/bin/env bash
# Sets everything up, then runs the whole test suite. Tests that need a
# display start their own X server, so this works without one.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cd build
ctest --output-on-failure -j "$(nproc)"
