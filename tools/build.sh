#!/usr/bin/env bash
# Configures and builds Stadionix into the folder "build" beside the sources
# (or $STADIONIX_BUILD_DIR), optimised without debug information unless
# STADIONIX_BUILD_TYPE says otherwise, with compiler warnings as errors. The
# build folder runs as it is.
# Arguments name the targets to build; without any, everything is built.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

bash "$here/tools/deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=${STADIONIX_BUILD_TYPE:-Release} -DSTADIONIX_WARNINGS_AS_ERRORS=ON >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
