#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz and runs each for the given
# number of seconds. Each runs on a working copy of its seed corpus inside the
# build directory, so the repository's corpus never grows. Any crash, hang,
# leak or broken property fails the run; the input that caused it is kept in
# build-fuzz/fuzz-artifacts/<target>/.
#
#   fuzz/run-all.sh SECONDS [TARGET...]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 SECONDS [TARGET...]" >&2
    exit 2
fi
shift
# Absolute, as the path fuzzer changes its current directory.
build=$(realpath -m "${BUILD:-build-fuzz}")
jobs=${JOBS:-$(nproc)}

mkdir -p "$build"
CC=clang CXX=clang++ cmake -S . -B "$build" -DQMEL_FUZZ=ON \
    -DQMEL_BUILD_TESTS=OFF -DQMEL_BUILD_BENCHMARKS=OFF >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j "$jobs" --target qmel_fuzzers || exit 1

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for seeds in fuzz/corpus/*/; do
        targets+=("$(basename "$seeds")")
    done
fi

# The settings and path fuzzers make their scratch directories here; in
# memory when possible, as every settings write syncs to disk.
scratch_base=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_base=/dev/shm
TMPDIR=$(mktemp -d "$scratch_base/qmel-fuzz.XXXXXX") || exit 1
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

failed=()
for target in "${targets[@]}"; do
    fuzzer="$build/fuzz/${target}_fuzzer"
    corpus="$build/fuzz-corpus/$target"
    artifacts="$build/fuzz-artifacts/$target/"
    log="$build/fuzz-logs/$target.log"
    if [ ! -x "$fuzzer" ] || [ ! -d "fuzz/corpus/$target" ]; then
        echo "no fuzzer or seed corpus for '$target'" >&2
        failed+=("$target")
        continue
    fi
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    cp -R "fuzz/corpus/$target/." "$corpus/"

    echo "== $target: ${seconds}s"
    if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
        grep -E '^stat::number_of_executed_units|^Done ' "$log" | tail -1
    else
        echo "FAILED: $target (log $log)" >&2
        tail -n 60 "$log" >&2
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzzing failed: ${failed[*]}" >&2
    exit 1
fi
echo "fuzzing passed: ${targets[*]}"
