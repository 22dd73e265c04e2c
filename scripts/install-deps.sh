#!/usr/bin/env bash
# Installs what building, running and testing Korvant needs on Debian 12.
# Idempotent: packages already present are left alone. Needs root or sudo.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config ccache clang-format
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl1-mesa-dev qt6-translations-l10n
  qt6-datavisualization-dev qt6-declarative-dev
  libsimpleini-dev libfluidsynth-dev timgm6mb-soundfont fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  dpkg-dev desktop-file-utils appstream
  libmosquitto-dev mosquitto
)
if [ "${KORVANT_SCREENSHOTS:-0}" = 1 ]; then
  packages+=(xvfb xauth imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
