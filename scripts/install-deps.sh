#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when any is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libpugixml-dev libgsf-1-dev zlib1g-dev libexpat1-dev nlohmann-json3-dev
  libgtest-dev libbenchmark-dev
  srecord libxml2-utils clang clang-format libclang-rt-14-dev
  python3-xlrd python3-openpyxl python3-canmatrix libreoffice-calc-nogui
  can-utils python3-can
  fonts-dejavu-core xvfb xauth libxcb1-dev time
  dpkg-dev file groff-base desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
