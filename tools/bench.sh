#!/usr/bin/env bash
# Builds the project and runs every benchmark in bench/, printing QtTest's
# per-iteration figures.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_BUILD_DIR:-$here/build}

bash "$here/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
for bench in "$build"/bench/bench_*; do
    [[ -x "$bench" ]] || continue
    echo "== $(basename "$bench")"
    "$bench" "$@" 2>&1 | grep -E '^RESULT|msecs per iteration' | paste - - | sed 's/  */ /g'
done
