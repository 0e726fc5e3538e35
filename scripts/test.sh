#!/usr/bin/env bash
# Builds Kestra Setup with its tests (warnings are errors) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
