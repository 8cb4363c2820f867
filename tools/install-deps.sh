#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need,
# when they are missing. Run as root.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev libical-dev
  cmark libcmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2 xvfb xauth xdotool poppler-utils
  cups printer-driver-cups-pdf
  desktop-file-utils appstream python3-icalendar dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
