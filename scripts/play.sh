#!/usr/bin/env bash
# Sets everything up, then starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec build/velmo
