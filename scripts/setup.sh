#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, where they are missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build ccache clang clang-format pkg-config
      qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n libgl-dev libxcb1-dev
      libhidapi-dev libudev-dev libcjson-dev libxlsxwriter-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      fonts-liberation2 fonts-dejavu-core fonts-noto-cjk iputils-ping xvfb xauth locales
      poppler-utils unzip python3)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A locale with a decimal comma, so the tests prove that number texts never follow the process locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $sudo sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
