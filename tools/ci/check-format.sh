#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what .clang-format describes; prints the differences.
# Usage: tools/ci/check-format.sh   (clang-format-14 or clang-format must be installed)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [[ -z "$format" ]]; then
    echo "clang-format is not installed" >&2
    exit 2
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 "$format" --dry-run --Werror
echo "formatting: every C++ file matches .clang-format"
