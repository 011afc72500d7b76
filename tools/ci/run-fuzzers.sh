#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a bounded time over a copy of its seed corpus.
# Usage: tools/ci/run-fuzzers.sh BUILD_DIR [SECONDS]   (SECONDS per target, default 60)
# Builds nothing: configure BUILD_DIR with clang and -DTRELVIK_FUZZ=ON and build it first.
# Fails when a target crashes, leaks, times out on an input or exceeds its memory limit; the input that did
# it is kept in BUILD_DIR/fuzz-findings/<target>/.
set -euo pipefail

if [[ $# -lt 1 || $# -gt 2 ]]; then
    echo "usage: $0 BUILD_DIR [SECONDS]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=${2:-60}
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# The fuzz build lists its targets (from fuzz/FuzzEntries.cmake), one a line.
if [[ ! -f "$build/fuzz/targets.txt" ]]; then
    echo "$build is not a fuzz build (configure with clang and -DTRELVIK_FUZZ=ON, then build)" >&2
    exit 2
fi
mapfile -t targets < "$build/fuzz/targets.txt"

work=$(mktemp -d "${TMPDIR:-/tmp}/trelvik-fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT

failed=()
summary=()
for target in "${targets[@]}"; do
    exe="$build/fuzz/fuzz_$target"
    if [[ ! -x "$exe" ]]; then
        echo "missing fuzz target $exe (configure with clang and -DTRELVIK_FUZZ=ON, then build)" >&2
        exit 2
    fi
    corpus="$work/$target"
    mkdir -p "$corpus"
    cp "$repo/fuzz/corpus/$target/"* "$corpus/"
    findings="$build/fuzz-findings/$target"
    mkdir -p "$findings"
    log="$build/fuzz-findings/$target.log"

    echo "== fuzz_$target for ${seconds}s"
    status=0
    # Every input gets a fresh process image only on a crash; sanitizers abort on their first report.
    ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
        "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
            -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || status=$?
    runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' | tail -1)
    summary+=("fuzz_$target: ${runs:-?} executions, exit $status")
    if [[ $status -ne 0 ]]; then
        failed+=("$target")
        tail -n 60 "$log" >&2
    fi
done

printf '%s\n' "${summary[@]}"
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzzing found problems in: ${failed[*]} (inputs in $build/fuzz-findings/)" >&2
    exit 1
fi
echo "fuzzing: ${#targets[@]} passed, 0 failed"
