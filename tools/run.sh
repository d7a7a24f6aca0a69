#!/usr/bin/env bash
# Builds Stadionix and starts it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

bash "$here/tools/build.sh"
exec "$build/stadionix"
