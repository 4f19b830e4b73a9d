#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, only those missing.
set -euo pipefail

packages=(
  g++ make cmake pkg-config ccache
  qt6-base-dev libqt6sql6-sqlite qt6-qpa-plugins
  libsqlite3-dev zlib1g-dev
  libxlsxwriter-dev libfreexl-dev libzip-dev
  python3-xlwt python3-openpyxl
  fonts-noto-cjk
  poppler-utils
  xvfb xauth x11-utils
  dbus dbus-x11 at-spi2-core python3 python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
