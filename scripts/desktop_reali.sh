#!/usr/bin/env bash
# The game under the real compositors of the two big desktops, headless:
# GNOME Shell (mutter) and KWin, each on Wayland with XWayland. Run as root
# after the test command (it builds into build/): installs the two desktops
# where they are missing, builds the KWin fake-input client, and runs
# tests/e2e/desktop_gnome_e2e.py and tests/e2e/desktop_kde_e2e.py, their
# pictures and logs in build/desktop-reali/.
#
#     bash scripts/desktop_reali.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
uscita=$build/desktop-reali

packages=(
  gnome-shell mutter xwayland pipewire pipewire-pulse wireplumber pulseaudio-utils
  gstreamer1.0-pipewire gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  kwin-wayland kwin-style-breeze plasma-wayland-protocols libwayland-dev pkg-config gcc
  dbus-daemon python3-dbus python3-gi gir1.2-glib-2.0 python3-xlib x11-utils x11-xserver-utils imagemagick
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" -ne 0 ]; then
    echo "As root, run \"apt-get install ${missing[*]}\", then run this again." >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# KWin's keyboard for the test: its fake-input protocol, generated here.
mkdir -p "$uscita/tasti_kwin"
protocollo=/usr/share/plasma-wayland-protocols/fake-input.xml
wayland-scanner client-header "$protocollo" "$uscita/tasti_kwin/fake-input-client-protocol.h"
wayland-scanner private-code "$protocollo" "$uscita/tasti_kwin/fake-input-protocol.c"
# shellcheck disable=SC2046 # pkg-config's flags are words
cc -std=c11 -O2 -Wall -Wextra -Wpedantic -Werror -I "$uscita/tasti_kwin" -o "$uscita/tasti_kwin/tasti_kwin" \
  tests/e2e/tasti_kwin.c "$uscita/tasti_kwin/fake-input-protocol.c" $(pkg-config --cflags --libs wayland-client)

# Debian's python3 carries the D-Bus, GLib and Xlib bindings. Both desktops
# run whatever the first one found; the run fails if either did.
esito=0
/usr/bin/python3 tests/e2e/desktop_gnome_e2e.py "$build/velmo" "$build/tests/geometria_tavola" "$uscita/gnome" ||
  esito=1
/usr/bin/python3 tests/e2e/desktop_kde_e2e.py "$build/velmo" "$build/tests/geometria_tavola" "$uscita/kde" \
  "$uscita/tasti_kwin/tasti_kwin" || esito=1
exit $esito
