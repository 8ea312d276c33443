#!/usr/bin/env bash
# Sets Glyphor up (packages, build of everything, tests included) and runs every test: unit,
# widget, end-to-end and the benchmark's quick mode; then the unit, widget and end-to-end tests
# again, built with AddressSanitizer and UndefinedBehaviorSanitizer; then a short run of each fuzz
# target.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
(cd "${GLYPHOR_BUILD_DIR:-build}" && ctest --output-on-failure -j2 "$@")

sanitize_dir=${GLYPHOR_SANITIZE_BUILD_DIR:-build-sanitize}
if [[ ! -f $sanitize_dir/CMakeCache.txt ]]; then
    cmake -S . -B "$sanitize_dir" -DCMAKE_BUILD_TYPE=Debug -DGLYPHOR_SANITIZE=ON
fi
cmake --build "$sanitize_dir" -j"${GLYPHOR_JOBS:-$(nproc)}"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd "$sanitize_dir" && ctest --output-on-failure -j2 -L "unit|e2e" "$@")

# Each fuzz target for a short run: clang's libFuzzer, with both sanitizers, from the seeds in
# tests/fuzz/corpus.
fuzz_dir=${GLYPHOR_FUZZ_BUILD_DIR:-build-fuzz}
if [[ ! -f $fuzz_dir/CMakeCache.txt ]]; then
    CC=clang CXX=clang++ cmake -S . -B "$fuzz_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHOR_FUZZ=ON
fi
cmake --build "$fuzz_dir" -j"${GLYPHOR_JOBS:-$(nproc)}" --target fuzz_targets
(cd "$fuzz_dir" && ctest --output-on-failure -j2 -L fuzz)
