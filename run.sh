#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in build/bin, where the
# drill's frame pictures are.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
busenje_install_packages

busenje_configure
cmake --build --preset default --target busenje
cd build/bin
exec ./busenje
