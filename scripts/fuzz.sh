#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the libFuzzer targets (the "fuzz" preset: clang, ASan, UBSan) and
# fuzzes each settings file reader and the file check, one after the other.
# Fails on the first crash, sanitizer report or broken reader promise; the
# input that caused it is left under build/fuzz/artifacts/.
#
#   scripts/fuzz.sh [SECONDS]     (default 60, split evenly over the targets)
#   scripts/fuzz.sh --runs N      (N executions of each target, however long
#                                  that takes: the long run of
#                                  docs/performance.md, not for CI)
#
# Prints the executions, seconds and executions a second of each target.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

usage() {
    echo "usage: $0 [SECONDS]   or   $0 --runs N   (whole numbers, at least 1)" >&2
    exit 2
}

runs=""
total=60
if [ "${1:-}" = "--runs" ]; then
    [ $# -eq 2 ] || usage
    runs=$2
    if ! [[ "$runs" =~ ^[0-9]+$ ]] || [ "$runs" -lt 1 ]; then
        usage
    fi
elif [ $# -gt 0 ]; then
    [ $# -eq 1 ] || usage
    total=$1
    if ! [[ "$total" =~ ^[0-9]+$ ]] || [ "$total" -lt 1 ]; then
        usage
    fi
fi

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=(camera_reader mms_reader gprs_reader sms_reader settings_file_check)
share=$(( total / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
if [ -n "$runs" ]; then
    limit=(-runs="$runs")
else
    limit=(-max_total_time="$share")
fi

build=build/fuzz
mkdir -p "$build/artifacts"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the seeds in the source tree stay as
    # they are.
    scratch="$build/corpus/$target"
    mkdir -p "$scratch"
    if [ -n "$runs" ]; then
        echo "== fuzzing $target for $runs executions"
    else
        echo "== fuzzing $target for ${share}s"
    fi
    started=$(date +%s.%N)
    if ! "$build/tests/fuzz/fuzz_$target" "$scratch" "tests/fuzz/corpus/$target" \
            "${limit[@]}" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 2>"$build/$target.log"; then
        tail -n 60 "$build/$target.log" >&2
        echo "fuzz.sh: $target failed; the input is in $build/artifacts/" >&2
        exit 1
    fi
    ended=$(date +%s.%N)
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/$target.log")
    awk -v t="$target" -v n="${executions:-0}" -v a="$started" -v b="$ended" \
        'BEGIN { s = b - a; printf "%s: %d executions in %.1f s, %.0f a second\n", t, n, s, (s > 0 ? n / s : 0) }'
done
echo "fuzz.sh: no crash in ${#targets[@]} targets"
