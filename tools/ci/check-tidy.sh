#!/usr/bin/env bash
# Runs clang-tidy 14 (the version CI installs) with the checks of .clang-tidy over the Qt-free layers that
# have their own include roots: core/, app/services and app/cli. Fails on the first finding of any file.
# Usage: tools/ci/check-tidy.sh [BUILD_DIR]   (default build/, configured by the dev preset, which writes
# compile_commands.json; the build need not have run)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

build=${1:-build}
tidy=$(command -v clang-tidy-14 || true)
if [[ -z "$tidy" ]]; then
    echo "clang-tidy-14 is needed (CI installs it; Debian 12: apt-get install clang-tidy-14)" >&2
    exit 2
fi
if [[ ! -f "$build/compile_commands.json" ]]; then
    echo "$build/compile_commands.json is missing: run cmake --preset dev first" >&2
    exit 2
fi

jobs=$(nproc 2>/dev/null || echo 2)
mapfile -d '' files < <(git ls-files -z 'core/*.cpp' 'app/services/*.cpp' 'app/cli/*.cpp')
# One file a process, as many processes as cores; xargs exits non-zero when any of them found something.
if ! printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$jobs" "$tidy" -p "$build" --quiet 2> >(grep -v ' warnings\? generated\.$' >&2); then
    echo "clang-tidy: findings above" >&2
    exit 1
fi
echo "clang-tidy: ${#files[@]} files of core/, app/services and app/cli pass .clang-tidy"
