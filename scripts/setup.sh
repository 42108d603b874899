#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Safe to run again: apt-get skips what is there, CMake rebuilds only changes.
set -euo pipefail
cd "$(dirname "$0")/.."

# Under sudo the build would belong to root and break the next run as the user.
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  echo "Run this without sudo, as $SUDO_USER: it asks for sudo itself only to install packages." >&2
  exit 1
fi

# Runs a command as root: as it is when root, else through sudo. Without sudo,
# or when sudo refuses, one line says what to run as root, and stops.
as_root() {  # as_root "what a user without sudo runs as root" command...
  local instead=$1
  shift
  if [ "$(id -u)" -eq 0 ]; then "$@"; return; fi
  if ! command -v sudo >/dev/null || ! sudo -v; then
    echo "Cannot use sudo here: as root, run \"$instead\", then run this again." >&2
    exit 1
  fi
  sudo "$@"
}

packages=(
  build-essential cmake pkg-config python3
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-qpa-plugins libqt6svg6 qt6-translations-l10n
  libsndfile1-dev libxrandr-dev libxrender-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool openbox imagemagick x11-utils fonts-dejavu-core
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils python3-xlib weston xwayland
  pulseaudio pulseaudio-utils
  clang-14 libclang-rt-14-dev llvm-14
  locales
  librsvg2-bin desktop-file-utils appstream dbus-daemon at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  as_root "apt-get install ${missing[*]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  as_root "apt-get install ${missing[*]}" \
    env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# An Italian locale, whose decimal comma the tests hold the files' "." against.
if ! locale -a 2>/dev/null | grep -qix 'it_IT.utf8'; then
  as_root "localedef -i it_IT -f UTF-8 it_IT.UTF-8" localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
