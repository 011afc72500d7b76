#!/usr/bin/env bash
# Packs a built tree as a Debian package and, where lintian is installed, fails when lintian reports an error.
# Usage: tools/ci/check-package.sh BUILD_DIR   (a configured and built tree, e.g. build/)
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)

rm -f "$build"/trelvik_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/trelvik_*.deb)
echo "package: $deb"

if ! command -v lintian >/dev/null; then
    echo "lintian is not installed: the package is not checked"
    exit 0
fi
lintian --fail-on error "$deb"
echo "lintian: no errors"
