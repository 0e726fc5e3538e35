#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The install check: builds the Debian package (scripts/package.sh, which runs
# lintian), validates the desktop entry and the AppStream metadata, checks that
# a staged install holds exactly the expected files and that the installed
# program starts, then installs the package with apt-get and removes it again,
# leaving nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

kestra_require_packages desktop-file-utils appstream
desktop-file-validate packaging/org.kestrasetup.KestraSetup.desktop
appstreamcli validate --no-net packaging/org.kestrasetup.KestraSetup.metainfo.xml

./scripts/package.sh

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install build/release --prefix /usr >/dev/null
(cd "$stage" && find . -type f | sed 's|^\./|/|' | sort) > "$stage.files"
if ! diff -u packaging/installed-files.txt "$stage.files"; then
    echo "The staged install differs from packaging/installed-files.txt (above)." >&2
    exit 1
fi
rm -f "$stage.files"
"$stage/usr/bin/kestra-setup" --version

package=$(ls -t build/release/kestra-setup_*.deb | head -n 1)
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$package" >/dev/null
kestra-setup --version
dpkg -L kestra-setup | grep -q '^/usr/share/applications/org.kestrasetup.KestraSetup.desktop$'
apt-get remove -y -qq --purge kestra-setup >/dev/null
leftovers=$(find /usr -path '*kestra*' -print 2>/dev/null | grep -v '^/usr/lib/.*/kestra' || true)
if dpkg -s kestra-setup >/dev/null 2>&1 || [ -n "$leftovers" ]; then
    echo "Removing the package left something behind:" >&2
    echo "$leftovers" >&2
    exit 1
fi
echo "install check: package, staged install, desktop entry and metadata are in order"
