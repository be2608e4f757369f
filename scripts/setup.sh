#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, where they are missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build ccache clang clang-format pkg-config
      qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
      libhidapi-dev libudev-dev libcjson-dev libxlsxwriter-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      fonts-liberation2 fonts-dejavu-core fonts-noto-cjk iputils-ping xvfb xauth)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
