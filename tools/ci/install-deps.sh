#!/usr/bin/env bash
# Installs what building, running and testing Trelvik needs on Debian 12 or newer.
# Usage: tools/ci/install-deps.sh [run|test|tools]   (run: just enough to build and start the program;
# tools: also what the data generators under tools/ read)
set -euo pipefail

what=${1:-test}
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    fonts-liberation
    libhunspell-dev hunspell-ru hunspell-sv hunspell-en-us
    zlib1g-dev
    libunistring-dev # NFC composition of typed words
)
if [ "$what" = test ] || [ "$what" = tools ]; then
    packages+=(libgtest-dev libbenchmark-dev python3 clang libclang-rt-14-dev lintian
        clang-format-14 clang-tidy-14 # pinned: another version formats and checks differently from CI
        shellcheck pyflakes3 # tools/ci/check-scripts.sh
        hunspell # the committed-volume checks spell every word with the hunspell program
        dictd dict dictzip sdcv # the dictionary exports, read by the programs they are made for
        dict-freedict-eng-swe) # what bench/cli_bench times trelvik-cli against
fi
if [ "$what" = tools ]; then
    packages+=(wordnet-base) # tools/wordforms/make_english_irregular.py reads WordNet's exception lists
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
