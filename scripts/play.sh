#!/usr/bin/env bash
# Installs and builds only what the game needs, then starts it. Once built,
# it starts at once: no configure, no apt, only the game's targets checked.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh gioco
exec build/velmo
