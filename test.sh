#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
busenje_install_packages

export QT_QPA_PLATFORM=offscreen
busenje_configure
cmake --build --preset default
ctest --preset default -j2
