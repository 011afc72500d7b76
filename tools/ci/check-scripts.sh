#!/usr/bin/env bash
# Fails when shellcheck finds a fault in a shell script of the repository or pyflakes one in a Python script.
# A script is a tracked file named *.sh or *.py, or one whose first line runs sh, bash or python.
# Usage: tools/ci/check-scripts.sh   (shellcheck and pyflakes3 must be installed)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

for tool in shellcheck pyflakes3; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is not installed (tools/ci/install-deps.sh test installs it)" >&2
        exit 2
    fi
done

shell=()
python=()
while IFS= read -r -d '' file; do
    case "$file" in
    *.sh) shell+=("$file") ;;
    *.py) python+=("$file") ;;
    esac
done < <(git ls-files -z)
# Scripts without a suffix are known by their first line; one awk reads the first line of every other file.
while IFS= read -r file; do
    case "$file" in
    python:*) python+=("${file#python:}") ;;
    shell:*) shell+=("${file#shell:}") ;;
    esac
done < <(git ls-files -z | grep -zv -E '\.(sh|py)$' | xargs -0 awk '
    FNR == 1 && /^#!.*python/ { print "python:" FILENAME }
    FNR == 1 && /^#!.*(\/sh|bash)( |$)/ { print "shell:" FILENAME }
    { nextfile }')

status=0
shellcheck --external-sources -- "${shell[@]}" || status=1
pyflakes3 "${python[@]}" || status=1
if [[ $status -ne 0 ]]; then
    echo "scripts: shellcheck or pyflakes found faults (above)" >&2
    exit 1
fi
echo "scripts: shellcheck passed ${#shell[@]} shell scripts, pyflakes ${#python[@]} Python scripts"
