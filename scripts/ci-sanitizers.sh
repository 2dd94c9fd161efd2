#!/usr/bin/env bash
# Builds everything a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-asan) and runs the whole test suite.
# Any report fails the run: UBSan is built without recovery and halts, ASan
# and LeakSanitizer end the process with a non-zero code, which fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build-asan}
suppressions="$(pwd)/tests/sanitizers/lsan.supp"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=${suppressions}:print_suppressions=0"

make test BUILD="$build" CMAKE_FLAGS="-DQMEL_SANITIZE=ON -DQMEL_BUILD_BENCHMARKS=OFF"
