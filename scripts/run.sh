#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds Kestra Setup (release) and starts its windows (kestra-setup); the
# command line is built beside it (build/release/src/kestra-setup-cli).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

# A CJK font, so that the Chinese and Japanese texts render.
kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" fonts-noto-cjk

cmake --preset release >/dev/null
cmake --build --preset release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Kestra Setup is built (build/release/src/kestra-setup), but there is no display to show it on." >&2
    echo "Start it under a virtual display instead:" >&2
    echo "    sudo apt-get install -y xvfb && xvfb-run -a build/release/src/kestra-setup" >&2
    echo "The command line needs no display: build/release/src/kestra-setup-cli --help" >&2
    exit 2
fi
exec build/release/src/kestra-setup "$@"
