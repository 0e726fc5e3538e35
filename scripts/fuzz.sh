#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the libFuzzer targets (the "fuzz" preset: clang, ASan, UBSan) and
# fuzzes each settings file reader and the file check for a share of SECONDS.
# Fails on the first crash, sanitizer report or broken reader promise; the
# input that caused it is left under build/fuzz/artifacts/.
#
#   scripts/fuzz.sh [SECONDS]     (default 60, split evenly over the targets)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

total=${1:-60}
if ! [[ "$total" =~ ^[0-9]+$ ]] || [ "$total" -lt 1 ]; then
    echo "usage: $0 [SECONDS]  (a whole number of seconds, at least 1)" >&2
    exit 2
fi

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=(camera_reader mms_reader gprs_reader sms_reader settings_file_check)
share=$(( total / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1

build=build/fuzz
mkdir -p "$build/artifacts"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

for target in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the seeds in the source tree stay as
    # they are.
    scratch="$build/corpus/$target"
    mkdir -p "$scratch"
    echo "== fuzzing $target for ${share}s"
    if ! "$build/tests/fuzz/fuzz_$target" "$scratch" "tests/fuzz/corpus/$target" \
            -max_total_time="$share" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 2>"$build/$target.log"; then
        tail -n 60 "$build/$target.log" >&2
        echo "fuzz.sh: $target failed; the input is in $build/artifacts/" >&2
        exit 1
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$build/$target.log" || true
done
echo "fuzz.sh: no crash in ${#targets[@]} targets"
