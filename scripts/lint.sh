#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The tree's hygiene, each step an error when it finds anything:
#   format   every C and C++ file as .clang-format lays it out
#   shell    shellcheck over every shell script
#   tidy     clang-tidy's checks from .clang-tidy over the program's sources,
#            against the ci build's compile commands (built when missing)
# With arguments, runs only the steps named: scripts/lint.sh format shell
# `scripts/lint.sh fix` rewrites the files into the layout format expects.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(format shell tidy)

# The files under version control: build trees and scratch files stay out.
tracked() {
    git ls-files -- "$@"
}

for step in "${steps[@]}"; do
    case $step in
    format | fix)
        kestra_require_packages clang-format
        mapfile -t sources < <(tracked '*.cpp' '*.h' '*.c')
        if [ "$step" = fix ]; then
            clang-format -i "${sources[@]}"
        else
            echo "clang-format: ${#sources[@]} files"
            clang-format --dry-run -Werror "${sources[@]}"
        fi
        ;;
    shell)
        kestra_require_packages shellcheck
        mapfile -t scripts < <(tracked '*.sh')
        scripts+=(.ci/run)
        echo "shellcheck: ${#scripts[@]} scripts"
        shellcheck -x "${scripts[@]}"
        ;;
    tidy)
        kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev clang-tidy
        # The checks read Qt's generated headers, so the build must have run.
        cmake --preset ci >/dev/null
        cmake --build --preset ci >/dev/null
        echo "clang-tidy: the program's sources"
        run-clang-tidy -quiet -j "$(nproc)" -p build/ci "^$PWD/src/" >build/ci/clang-tidy.log 2>&1 || {
            grep -E -A3 'warning:|error:' build/ci/clang-tidy.log >&2
            echo "clang-tidy found the faults above (whole log: build/ci/clang-tidy.log)" >&2
            exit 1
        }
        ;;
    *)
        echo "unknown step '$step': format, shell, tidy or fix" >&2
        exit 2
        ;;
    esac
done
