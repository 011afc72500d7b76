#!/usr/bin/env bash
# Builds Trelvik and starts it from its build folder (which holds the dictionary beside the program).
set -euo pipefail
cd "$(dirname "$0")"

tools/ci/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTRELVIK_BENCH=OFF
cmake --build build --parallel
exec build/app/trelvik "$@"
