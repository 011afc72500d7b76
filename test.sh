#!/usr/bin/env bash
# Builds Trelvik and runs every test: the whole suite, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${TRELVIK_FUZZ_SECONDS:-60}

tools/ci/install-deps.sh test

echo "== Build and test =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$jobs"
ctest --test-dir build --output-on-failure --parallel "$jobs" --timeout 600

echo "== Sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRELVIK_SANITIZE=ON -DTRELVIK_BENCH=OFF
cmake --build build-sanitize --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tools/ci/lsan.supp" \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$jobs" --timeout 900

if [ -x tools/ci/run-fuzzers.sh ] && [ -f fuzz/CMakeLists.txt ]; then
    echo "== Fuzzing, ${fuzz_seconds} s a target =="
    cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DTRELVIK_FUZZ=ON -DBUILD_TESTING=OFF -DTRELVIK_GUI=OFF -DTRELVIK_BENCH=OFF
    cmake --build build-fuzz --parallel "$jobs"
    tools/ci/run-fuzzers.sh build-fuzz "$fuzz_seconds"
fi
echo "All tests passed."
