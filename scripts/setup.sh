#!/usr/bin/env bash
# Installs what building, running and testing Tolvane needs on Debian, and
# nothing when it is all there already.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6widgets6 qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  libxcb1-dev time
  fonts-ipafont-gothic fonts-noto-cjk
  desktop-file-utils appstream dpkg-dev file
  openbox x11vnc
  zlib1g-dev libpng-dev xdg-utils qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
