#!/usr/bin/env bash
# Installs the Debian packages one of the two commands needs and the machine
# lacks, as root (through sudo when not root):
#   gioco   what building and running the game takes (the play command);
#   tutto   that, and what the tests, benchmarks, fuzz targets and the
#           packaging check take (the test command), with an Italian locale.
# With nothing missing it costs one dpkg-query and no apt call.
set -euo pipefail

gioco=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-multimedia-dev qt6-qpa-plugins libqt6svg6 qt6-translations-l10n
  libsndfile1-dev libxrandr-dev libxkbcommon-dev
  fonts-dejavu-core
)
prove=(
  build-essential python3 libgtest-dev libgmock-dev libbenchmark-dev libxrender-dev
  xvfb xauth xdotool openbox imagemagick x11-utils
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils python3-xlib weston xwayland
  pulseaudio pulseaudio-utils
  clang-14 libclang-rt-14-dev llvm-14
  locales
  librsvg2-bin desktop-file-utils appstream dbus-daemon at-spi2-core python3-pyatspi
)

case "${1:-}" in
  gioco) pacchetti=("${gioco[@]}") ;;
  tutto) pacchetti=("${gioco[@]}" "${prove[@]}") ;;
  *) echo "usage: $0 gioco|tutto" >&2; exit 2 ;;
esac

# One query for the whole list; a package dpkg has never heard of prints no
# line, so it counts as missing too.
declare -A installati=()
while read -r nome stato; do
  [ "$stato" = ii ] && installati[$nome]=1
done < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${pacchetti[@]}" 2>/dev/null || true)
mancanti=()
for p in "${pacchetti[@]}"; do
  [ -n "${installati[$p]:-}" ] || mancanti+=("$p")
done

# The tests hold the files' "." against the decimal comma of an Italian locale.
manca_locale=false
if [ "$1" = tutto ] && ! locale -a 2>/dev/null | grep -qix 'it_IT.utf8'; then
  manca_locale=true
fi

((${#mancanti[@]})) || $manca_locale || exit 0

installa=(apt-get install -y --no-install-recommends "${mancanti[@]}")
genera_locale=(localedef -i it_IT -f UTF-8 it_IT.UTF-8)
# What a user who cannot use sudo runs as root instead, on one line.
da_root=()
((${#mancanti[@]})) && da_root+=("apt-get update && ${installa[*]}")
$manca_locale && da_root+=("${genera_locale[*]}")
riga_root=$(printf '%s && ' "${da_root[@]}")
riga_root=${riga_root% && }

non_posso() {
  echo "Cannot use sudo here: as root, run" >&2
  echo "    $riga_root" >&2
  echo "then run this again." >&2
  exit 1
}

# Runs a command as root: as it is when root, else through sudo, which asks
# for the password at the terminal when its rules want one (once: it
# remembers it for the calls that follow). Whether sudo may run the command
# is learnt by running it, never from `sudo -v`, which asks for a password
# unless every rule is NOPASSWD. When the command fails, `sudo -l` tells a
# refusal (or a password never given) from the command's own failure.
come_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; return; fi
  command -v sudo >/dev/null || non_posso
  local esito=0
  sudo "$@" || esito=$?
  ((esito == 0)) && return 0
  if sudo -n -l "$1" >/dev/null 2>&1; then
    echo "\"$*\" failed (exit status $esito)." >&2
    exit "$esito"
  fi
  non_posso
}

# No questions from apt where root runs this unattended (CI); sudo drops the
# variable, and a user at the terminal answers what apt asks.
export DEBIAN_FRONTEND=noninteractive
if ((${#mancanti[@]})); then
  echo "Missing: ${mancanti[*]}" >&2
  come_root apt-get update
  come_root "${installa[@]}"
fi
if $manca_locale; then
  come_root "${genera_locale[@]}"
fi
