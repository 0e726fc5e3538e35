#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds Kestra Setup with its tests (warnings are errors) and runs every test:
# the Linux build's, then the Windows build's under Wine (scripts/windows.sh;
# KESTRA_SKIP_WINDOWS=1 leaves that part out on a machine that only needs Linux).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

# The widget tests measure dialog units from real fonts: install the same
# ones the tool uses, so the layout is the same on every machine. The mail
# test's tests run an SMTP server on 127.0.0.1 (python3-aiosmtpd) with a
# certificate openssl makes for the run. The card tests write onto FAT images
# mounted through FUSE (dosfstools, fusefat, fuse3) and ask a stand-in UDisks2
# on a bus of their own (dbus-daemon, python3-dbusmock).
kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev \
    fonts-dejavu-core fonts-noto-cjk python3-aiosmtpd openssl \
    dosfstools fusefat fuse3 dbus-daemon python3-dbusmock

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci

if [ "${KESTRA_SKIP_WINDOWS:-0}" != 1 ]; then
    ./scripts/windows.sh
fi
