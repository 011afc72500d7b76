#!/usr/bin/env bash
# Packs a built tree as Debian packages (trelvik and trelvik-dict) and, where lintian is installed, fails when
# lintian reports an error in either.
# Usage: tools/ci/check-package.sh BUILD_DIR   (a configured and built tree, e.g. build/)
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)

rm -f "$build"/trelvik_*.deb "$build"/trelvik-dict_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/trelvik_*.deb "$build"/trelvik-dict_*.deb)
for deb in "${debs[@]}"; do
    [[ -f "$deb" ]] || { echo "missing package: $deb" >&2; exit 1; }
    echo "package: $deb"
done

if ! command -v lintian >/dev/null; then
    echo "lintian is not installed: the packages are not checked"
    exit 0
fi
lintian --fail-on error "${debs[@]}"
echo "lintian: no errors"
