#!/usr/bin/env bash
# Installs what the machine lacks, then configures and builds into build/:
#   setup.sh gioco                  the game's packages; the program, its
#                                   sounds and its settings file only
#   setup.sh tutto [CMAKE_OPTION...]  every package; everything, tests too
# Safe to run again: nothing is installed twice, CMake rebuilds only changes.
set -euo pipefail
cd "$(dirname "$0")/.."

# Under sudo the build would belong to root and break the next run as the user.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  echo "Run this without sudo, as $SUDO_USER: it asks for sudo itself only to install packages." >&2
  exit 1
fi

insieme=${1:-}
shift || true
bash scripts/pacchetti.sh "$insieme"

# A new build folder uses Ninja: checking that nothing changed takes it
# milliseconds where make takes seconds. A folder made otherwise keeps its
# generator.
ninja=(-G Ninja)

case "$insieme" in
  gioco)
    # A build folder already configured for this checkout is used as it is
    # (the build reruns CMake itself when a CMakeLists.txt changed), so a
    # second start costs no configure. One copied from another checkout
    # points at that one's sources: its cache goes, the player's files stay.
    configurata=false
    if grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$PWD" build/CMakeCache.txt 2>/dev/null; then
      [ -f build/Makefile ] || [ -f build/build.ninja ] && configurata=true
    fi
    if ! $configurata; then
      rm -rf build/CMakeCache.txt build/CMakeFiles
      cmake -S . -B build "${ninja[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMO_SOLO_GIOCO=ON
    fi
    cmake --build build -j "$(nproc)" --target velmo velmo_impostazioni
    ;;
  tutto)
    [ -f build/CMakeCache.txt ] && ninja=()
    cmake -S . -B build "${ninja[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMO_SOLO_GIOCO=OFF "$@"
    cmake --build build -j "$(nproc)"
    ;;
esac
