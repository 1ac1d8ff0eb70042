#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, test and run, when any is
# missing. Sourced by test.sh and run.sh.

BUSENJE_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libqcustomplot-dev
  libgtest-dev libbenchmark-dev
  fonts-wine fonts-dejavu-core fonts-liberation2
  desktop-file-utils
)

busenje_install_packages() {
  local missing=()
  local pkg
  for pkg in "${BUSENJE_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
