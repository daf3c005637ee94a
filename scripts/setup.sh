#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then configures
# and builds the default preset. Sourced by demo.sh and test.sh.
set -euo pipefail

packages=(
  cmake ninja-build g++ binutils pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation2
  libpng-dev zlib1g-dev nlohmann-json3-dev
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing Debian packages: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

cd "$(dirname "${BASH_SOURCE[0]}")/.."
cmake --preset default >/dev/null
cmake --build --preset default
