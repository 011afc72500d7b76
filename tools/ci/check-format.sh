#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what .clang-format describes; prints the differences.
# Usage: tools/ci/check-format.sh   (clang-format 14, the version CI installs, must be installed)
# Another version formats some constructs differently and would disagree with CI, so it is refused.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

required=14
format=""
for candidate in "clang-format-$required" clang-format; do
    path=$(command -v "$candidate" || true)
    [[ -n "$path" ]] || continue
    # "Debian clang-format version 14.0.6" or "clang-format version 14.0.0 (...)"
    version=$("$path" --version | sed -n 's/.*clang-format version \([0-9][0-9]*\)\..*/\1/p')
    if [[ "$version" == "$required" ]]; then
        format=$path
        break
    fi
    found="$path is version ${version:-unknown}"
done
if [[ -z "$format" ]]; then
    echo "clang-format $required is needed (CI installs it; Debian 12: apt-get install clang-format-$required);" \
        "${found:-none is installed}" >&2
    exit 2
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 "$format" --dry-run --Werror
echo "formatting: every C++ file matches .clang-format ($("$format" --version))"
