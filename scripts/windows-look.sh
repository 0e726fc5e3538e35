#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The window tests in the look a Windows user gets: each test program of the
# Windows build's windows (app_*, ui_*, dialogs_*) on the windows platform
# plugin and the style it picks there, drawn by Wine on an X screen.
#
#   windows-look.sh TEST_DIR LOG_DIR
#
# Runs on a display (scripts/windows.sh starts it under xvfb-run), with
# WINEPREFIX and WINEPATH set. The programs run one after another on one wine
# server: two at a time on one screen take the focus from each other's windows,
# and the focus tests then see changes they did not make.
# Tests that cannot run there are listed with the reason in
# tests/windows-look-skips.txt; they are named here and left out.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
tests=$(realpath "$1")
logs=$(realpath -m "$2")
skips=$root/tests/windows-look-skips.txt
rm -rf "$logs"
mkdir -p "$logs"

# A list line reads `program  Suite.Test  reason`; a program's skips become
# the negative part of its --gtest_filter.
declare -A filters=()
while read -r program test reason; do
    case $program in '' | '#'*) continue ;; esac
    if [ -z "$reason" ]; then
        echo "windows look: $skips: \"$program $test\" gives no reason" >&2
        exit 1
    fi
    if [ ! -f "$tests/$program.exe" ]; then
        echo "windows look: $skips names $program, which was not built" >&2
        exit 1
    fi
    echo "windows look: skipped $program $test: $reason"
    filters[$program]=${filters[$program]:+${filters[$program]}:}$test
done < "$skips"

programs=()
for exe in "$tests"/app_*.exe "$tests"/ui_*.exe "$tests"/dialogs_*.exe; do
    programs+=("$(basename "$exe" .exe)")
done

# Every program's output goes to its log; its exit code to a file of its own,
# since xargs only says that some program failed. A third argument names the
# run's log when a program runs twice.
run_one() {
    local program=$1 filter=$2 run=${3:-$1}
    local args=(-platform windows)
    [ -n "$filter" ] && args+=("--gtest_filter=-$filter")
    local status=0
    # windowsvista is what Qt picks for a program whose style plugin lies
    # beside it, as the zip ships it; a test program that ends up in another
    # style stops at once (tests/support/gui_test_main.cpp).
    KESTRA_TEST_STYLE=windowsvista timeout 300 wine "$tests/$program.exe" "${args[@]}" \
        > "$logs/$run.out" 2>&1 || status=$?
    # Now and then Wine fails to start a program: it ends at once with no word
    # from the test runner. That start, and only that, is tried once more; a
    # program that ran tests and failed is never run again.
    if [ "$status" != 0 ] && ! grep -q '^\[==========\]' "$logs/$run.out"; then
        echo "windows look: $program ended with exit $status before running a test; starting it once more"
        status=0
        KESTRA_TEST_STYLE=windowsvista timeout 300 wine "$tests/$program.exe" "${args[@]}" \
            > "$logs/$run.out" 2>&1 || status=$?
    fi
    # Wine's note that it cannot scale window frames by DPI is noise.
    grep -v 'EnableNonClientDpiScaling() failed' "$logs/$run.out" > "$logs/$run.log" || true
    rm "$logs/$run.out"
    echo "$status" > "$logs/$run.status"
}
export -f run_one
export tests logs

# One server for all the programs, started on this display.
wineserver -p30
trap 'wineserver --kill 2>/dev/null || true' EXIT
# No window manager runs on the screen: Wine draws the window frames itself,
# as Windows does, instead of waiting two seconds on every window it hides
# for a manager's answer.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# The inner bash expands run_one's arguments, not this one.
# shellcheck disable=SC2016
for program in "${programs[@]}"; do
    printf '%s\0%s\0' "$program" "${filters[$program]:-}"
done | xargs -0 -n2 -P1 bash -c 'run_one "$0" "$1"'
# The layout check once more on a screen scaled to 150%, as many Windows
# laptops are.
if [ -f "$tests/app_TextFitTest.exe" ]; then
    KESTRA_TEST_SCALE=1.5 run_one app_TextFitTest "${filters[app_TextFitTest]:-}" app_TextFitTest-150
    programs+=(app_TextFitTest-150)
fi

failed=()
for program in "${programs[@]}"; do
    status=$(cat "$logs/$program.status" 2>/dev/null || echo "no exit code")
    if [ "$status" != 0 ]; then
        failed+=("$program")
        echo "----- $program (exit $status): $logs/$program.log" >&2
        cat "$logs/$program.log" >&2
    fi
done
echo "windows look: ${#programs[@]} programs, ${#failed[@]} failed${failed:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
