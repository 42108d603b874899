#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Safe to run again: apt-get skips what is there, CMake rebuilds only changes.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-qpa-plugins libqt6svg6
  libsndfile1-dev libxrandr-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool openbox imagemagick x11-utils fonts-dejavu-core
  pulseaudio pulseaudio-utils
  clang-14 libclang-rt-14-dev llvm-14
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# An Italian locale, whose decimal comma the tests hold the files' "." against.
if ! locale -a 2>/dev/null | grep -qix 'it_IT.utf8'; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
