#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian package of Kestra Setup (build/release/kestra-setup_*.deb)
# with CPack and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" help2man lintian dpkg-dev file

cmake --preset release -DKESTRA_MANPAGE=${KESTRA_MANPAGE:-ON} ${KESTRA_CMAKE_ARGS:-} >/dev/null
cmake --build --preset release
(cd build/release && cpack -G DEB >/dev/null)
package=$(ls -t build/release/kestra-setup_*.deb | head -n 1)
echo "Built $package"

# Errors fail the build; warnings are printed for the record.
lintian --fail-on error --suppress-tags-from-file scripts/lintian-overrides.txt "$package"
