#!/usr/bin/env bash
# Builds every fuzz target with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in the folder "build-fuzz" beside the sources (or
# $STADIONIX_FUZZ_BUILD_DIR) and runs each one for a number of runs, starting
# from its corpus in fuzz/corpus/<target>/. Ends with a table: runs, speed and
# outcome per target.
#
#   bash tools/fuzz.sh [runs] [target...]     (default: 1000000 runs, every target)
#
# STADIONIX_FUZZ_SECONDS=N also ends each target after N seconds, for a slow
# target on a busy machine; the table says how many runs it made.
# STADIONIX_FUZZ_OPTIONS adds libFuzzer options of your own to every target,
# for example "-max_len=1024" to keep a target's inputs short and fast.
#
# Inputs that reach new code are kept in build-fuzz/corpus/<target>/ (copy the
# ones worth keeping into fuzz/corpus/<target>/); a crash is written to
# build-fuzz/crashes/<target>/ and fails the script. Needs the Debian packages
# clang and libclang-rt-14-dev (or the libclang-rt-dev of the installed clang).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${STADIONIX_FUZZ_BUILD_DIR:-$here/build-fuzz}
runs=${1:-1000000}
shift || true

if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing. Run as root: apt-get install -y clang libclang-rt-14-dev" >&2
    exit 1
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DSTADIONIX_FUZZ=ON -DSTADIONIX_BUILD_TESTS=OFF -DSTADIONIX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target stadionix_fuzz_targets

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    for corpus in "$here"/fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
fi

mkdir -p "$build/tmp"
export TMPDIR="$build/tmp"
export UBSAN_OPTIONS=print_stacktrace=1
# AddressSanitizer keeps the stack of every allocation in a table that only
# grows. Qt's own code has no frame pointers, so past the first frame the fast
# unwinder reads frames that differ from call to call; the table filled with
# them, and looking them up took over half of the time: targets slowed to a
# third within minutes. One frame, the one that allocated, keeps the runs fast
# and a report useful (the stack of a crash itself stays whole).
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=1}
summary=()
failed=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    crashes="$build/crashes/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
    options=(-runs="$runs" -timeout=10 -print_final_stats=1 -artifact_prefix="$crashes/")
    if [[ -n ${STADIONIX_FUZZ_SECONDS:-} ]]; then
        options+=(-max_total_time="$STADIONIX_FUZZ_SECONDS")
    fi
    # Word splitting is wanted here: one option per word.
    # shellcheck disable=SC2206
    options+=(${STADIONIX_FUZZ_OPTIONS:-})
    # A dictionary of the target's own, or of its family (meetwise.dict for meetwise_*).
    for dict in "$here/fuzz/dict/$target.dict" "$here/fuzz/dict/${target%%_*}.dict"; do
        if [[ -f "$dict" ]]; then
            options+=(-dict="$dict")
            break
        fi
    done
    echo "== $target: $runs runs"
    start=$(date +%s)
    if "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus" "$here/fuzz/corpus/$target" >"$log" 2>&1; then
        outcome="no crash"
    else
        outcome="CRASH: $(ls -t "$crashes" | head -n 1) (see $log)"
        failed=1
    fi
    seconds=$(($(date +%s) - start))
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    done_runs=${done_runs:-0}
    summary+=("$(printf '%-32s %10s runs %7s runs/s %6s s  %s' "$target" "$done_runs" \
        "$((done_runs / (seconds > 0 ? seconds : 1)))" "$seconds" "$outcome")")
done

echo
printf '%s\n' "${summary[@]}"
exit $failed
