#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need.
# Skips apt entirely when everything is already present, so repeat runs are fast.
set -euo pipefail

PACKAGES=(
  build-essential cmake ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  freeglut3-dev libglew-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev libxtst-dev
  libpoco-dev libtinyxml-dev libois-dev libfreeimage-dev libfreetype-dev fonts-dejavu-core
  libsndfile1-dev libsdl2-dev
  xvfb xauth x11-utils xdotool imagemagick python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
