#!/usr/bin/env bash
# Builds Trelvik and starts it from its build folder (which holds the dictionary beside the program). It builds in
# build-run/, apart from the test presets' build/, so that switching between the two rebuilds nothing.
set -euo pipefail
cd "$(dirname "$0")"

tools/ci/install-deps.sh run
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTRELVIK_BENCH=OFF
cmake --build build-run --parallel
exec build-run/app/trelvik "$@"
