#!/usr/bin/env bash
# Configures and builds Stadionix into the folder "build" beside the sources
# (or $STADIONIX_BUILD_DIR). The build folder runs as it is.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

bash "$here/tools/deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)"
