#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian package of Kestra Setup (build/release/kestra-setup_*.deb)
# with CPack and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" help2man lintian dpkg-dev file

# KESTRA_CMAKE_ARGS may hold several arguments: split on purpose.
# shellcheck disable=SC2086
cmake --preset release -DKESTRA_MANPAGE=${KESTRA_MANPAGE:-ON} ${KESTRA_CMAKE_ARGS:-} >/dev/null
cmake --build --preset release
(cd build/release && cpack -G DEB >/dev/null)
package=$(find build/release -maxdepth 1 -name 'kestra-setup_*.deb' -printf '%T@ %p\n' | sort -rn | head -n 1 | cut -d' ' -f2-)
echo "Built $package"

# Errors fail the build; warnings are printed for the record.
lintian --fail-on error --suppress-tags-from-file scripts/lintian-overrides.txt "$package"
