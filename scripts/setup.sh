#!/usr/bin/env bash
# Installs what the build needs from Debian's packages (only what is missing), then
# configures and builds the default preset. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
  g++ make cmake pkg-config python3
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-webengine-dev libqcustomplot-dev libgl-dev
  clang libclang-rt-14-dev
  xvfb xauth fonts-dejavu-core fonts-ipafont-gothic
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset default
cmake --build --preset default -j "$jobs"
