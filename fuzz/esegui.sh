#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz and runs each for the
# given number of seconds (default 60). The corpus grows in
# build-fuzz/corpus/<target>, seeded from tests/fuzz/<target> (and, for the
# WAVE decoding, from the sounds the build synthesises). A finding (a broken
# property, a crash, a leak, an input slower than the timeout) stops the
# target; its input stays in build-fuzz/artefatti/ and the script fails:
# copy it into tests/fuzz/<target>/, where ctest replays it ever after.
# A second argument stops each target after that many executions instead
# (the time still bounds it); a list of targets may follow.
# The search starts from a fixed seed, so runs from an empty corpus, as
# CI's is, take much the same path: a clean run here meets what CI's minute
# will meet, give or take the drift of libFuzzer's own timing (two runs of
# 100,000 inputs end with nearly, not exactly, the same corpus).
# VELMO_FUZZ_SEME=0 draws a fresh seed each run, for the longer searches.
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:-60}
esecuzioni=${2:-0}
shift $(($# < 2 ? $# : 2))
bersagli=(ini partita wave)
[ $# -gt 0 ] && bersagli=("$@")
cartella=build-fuzz
seme=${VELMO_FUZZ_SEME:-1}

cmake -S . -B "$cartella" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 -DVELMO_FUZZ=ON >/dev/null
cmake --build "$cartella" -j "$(nproc)" --target fuzz_ini fuzz_partita fuzz_wave

mkdir -p "$cartella/artefatti"
esito=0
for bersaglio in "${bersagli[@]}"; do
  corpus="$cartella/corpus/$bersaglio"
  mkdir -p "$corpus"
  semi=(tests/fuzz/$bersaglio)
  [ "$bersaglio" = wave ] && semi+=("$cartella/tools/suoni")
  limite=(-max_total_time="$secondi")
  descrizione="$secondi s"
  if [ "$esecuzioni" -gt 0 ]; then
    limite+=(-runs="$esecuzioni")
    descrizione="$esecuzioni executions, at most $secondi s"
  fi
  echo "== fuzz_$bersaglio for $descrizione"
  # Leaks are findings too (ASan's leak check runs at each input's end).
  if ! "$cartella/fuzz/fuzz_$bersaglio" "$corpus" "${semi[@]}" \
      -dict="fuzz/$bersaglio.dict" "${limite[@]}" -seed="$seme" -timeout=5 -rss_limit_mb=2048 \
      -detect_leaks=1 -print_final_stats=1 -artifact_prefix="$cartella/artefatti/${bersaglio}-" \
      2>"$cartella/fuzz_$bersaglio.log"; then
    esito=1
    echo "fuzz_$bersaglio: FINDING, input kept in $cartella/artefatti/:" >&2
    grep -E "ERROR|broken|SUMMARY" "$cartella/fuzz_$bersaglio.log" >&2 || tail -20 "$cartella/fuzz_$bersaglio.log" >&2
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$cartella/fuzz_$bersaglio.log" || true
  grep -E "^#[0-9]+[[:space:]]+(DONE|INITED)" "$cartella/fuzz_$bersaglio.log" | tail -1 || true
  echo "corpus: $(find "$corpus" -type f | wc -l) inputs"
done
exit $esito
