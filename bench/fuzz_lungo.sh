#!/usr/bin/env bash
# A deeper search than CI's minute per target: each fuzz target until it
# has run the given number of inputs (default ten million), at most the
# given seconds each (default two hours), on the corpus CI grew in
# build-fuzz/corpus. Targets may be named after the two numbers. Prints
# executions, coverage and corpus size per target. Each search starts from
# a fresh seed, so repeated searches reach different inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
esecuzioni=${1:-10000000}
secondi=${2:-7200}
shift $(($# < 2 ? $# : 2))
VELMO_FUZZ_SEME=0 bash fuzz/esegui.sh "$secondi" "$esecuzioni" "$@"
