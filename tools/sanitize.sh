#!/usr/bin/env bash
# Builds everything, the tests included, with AddressSanitizer and
# UndefinedBehaviorSanitizer in the folder "build-asan" beside the sources (or
# $STADIONIX_SANITIZE_BUILD_DIR) and runs the whole test suite there; ends
# with CTest's summary. Any memory error, leak or undefined behaviour fails
# the test it happens in. g++ by default; CXX=clang++ builds with clang.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_SANITIZE_BUILD_DIR:-$here/build-asan}

bash "$here/tools/deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="${CXX:-g++}" \
    -DSTADIONIX_SANITIZE=ON -DSTADIONIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# Leaks that Qt and the libraries below it keep on purpose are named, with
# the reason, in the suppressions file.
export LSAN_OPTIONS="suppressions=$here/tools/sanitizers/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900
