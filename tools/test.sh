#!/usr/bin/env bash
# Builds Stadionix and runs every test; ends with CTest's summary.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

bash "$here/tools/build.sh"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
