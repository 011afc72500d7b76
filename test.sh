#!/usr/bin/env bash
# Builds Trelvik and runs every test: the static checks (formatting, shellcheck and pyflakes, clang-tidy), the
# whole suite with warnings as errors, the suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# each fuzzer for a bounded time, and the Debian package through lintian. Stops at the first step that fails.
set -euo pipefail
cd "$(dirname "$0")"

jobs=$(nproc 2>/dev/null || echo 2)
fuzz_seconds=${TRELVIK_FUZZ_SECONDS:-60}

tools/ci/install-deps.sh test

echo "== Static checks: formatting, scripts, clang-tidy =="
tools/ci/check-format.sh
tools/ci/check-scripts.sh
cmake --preset dev # writes the compile commands that clang-tidy reads
tools/ci/check-tidy.sh build

echo "== Build and test =="
cmake --build --preset dev --parallel "$jobs"
ctest --preset dev --parallel "$jobs"

echo "== Sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake --preset sanitize
cmake --build --preset sanitize --parallel "$jobs"
ctest --preset sanitize --parallel "$jobs"

echo "== Fuzzing, ${fuzz_seconds} s a target =="
cmake --preset fuzz
cmake --build --preset fuzz --parallel "$jobs"
tools/ci/run-fuzzers.sh build-fuzz "$fuzz_seconds"

echo "== Debian package =="
tools/ci/check-package.sh build

echo "All tests passed."
