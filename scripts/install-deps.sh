#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, test and run Fondara.
# Does nothing when every package is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
  libgl-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth x11-utils imagemagick poppler-utils
  clang libclang-rt-14-dev
  cups cups-client cups-filters printer-driver-cups-pdf
  desktop-file-utils appstream dpkg-dev file
  hyperfine time
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
