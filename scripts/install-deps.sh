#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Quiet and quick when everything is there; runs apt-get update first otherwise,
# because a fresh machine has empty package lists.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev qt6-translations-l10n
  qt6-qpa-plugins libqt6svg6
  libgtest-dev libgmock-dev libbenchmark-dev
  clang clang-format libclang-rt-dev
  fonts-liberation fontconfig xvfb xauth
  poppler-utils ghostscript
  xdg-utils ccache lld
  lintian
  libmosquitto-dev mosquitto mosquitto-clients
)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

SUDO=""
if [[ $(id -u) -ne 0 ]]; then
  SUDO="sudo"
fi
echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
