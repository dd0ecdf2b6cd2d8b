#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, test and run Fondara.
# Does nothing when every package is already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n libqpdf-dev
  libgl-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth x11-utils imagemagick poppler-utils qpdf libxml2-utils mupdf-tools
  python3-pdfminer acl attr unzip
  libreoffice-writer-nogui
  clang libclang-rt-14-dev
  cups cups-client cups-filters printer-driver-cups-pdf libcups2-dev
  desktop-file-utils appstream dpkg-dev file shared-mime-info
  hyperfine time locales xdotool xclip openbox procps python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The number texts are tested under an Italian locale as well as under C.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^it_IT.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
