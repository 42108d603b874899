#!/usr/bin/env bash
# A deeper search than CI's minute per target: each fuzz target for the
# given number of seconds (default one hour), on the corpus CI grew in
# build-fuzz/corpus. Prints executions, coverage and corpus size per target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash fuzz/esegui.sh "${1:-3600}"
