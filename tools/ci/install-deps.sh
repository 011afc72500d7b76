#!/usr/bin/env bash
# Installs what building, running and testing Trelvik needs on Debian 12 or newer.
# Usage: tools/ci/install-deps.sh [run|test]   (run: just enough to build and start the program)
set -euo pipefail

what=${1:-test}
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-liberation
)
if [ "$what" = test ]; then
    packages+=(libgtest-dev libbenchmark-dev python3 clang libclang-rt-14-dev clang-format lintian)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
