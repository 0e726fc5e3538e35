#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The install check: builds the Debian package (scripts/package.sh, which runs
# lintian), validates the desktop entry and the AppStream metadata, checks that
# a staged install holds exactly the expected files and that both installed
# programs start, then installs the package with apt-get and removes it again,
# leaving nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

kestra_require_packages desktop-file-utils appstream
desktop-file-validate packaging/org.kestrasetup.KestraSetup.desktop
appstreamcli validate --no-net packaging/org.kestrasetup.KestraSetup.metainfo.xml

./scripts/package.sh

# The programs, as installed: kestra-setup opens its windows, which run until
# the timeout ends them (124); a program that cannot start ends at once. It
# sends a command to kestra-setup-cli with exit status 2. kestra-setup-cli
# loads its e-mail test and its removable drives from modules found from its
# own folder: nothing listens on port 47 (an unassigned one; the test, like
# Save, takes no port of one character) of the loopback address, which only
# the loaded e-mail test can say; that a system bus given as a missing socket
# is not reachable, only the loaded drives module can.
check_programs() {
    local bin=$1 status=0 config
    config=$(mktemp -d)
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen timeout 5 "$bin/kestra-setup" >/dev/null 2>&1 || status=$?
    if [ "$status" -ne 124 ]; then
        echo "$bin/kestra-setup did not open its windows (exit status $status):" >&2
        XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen timeout 5 "$bin/kestra-setup" >&2 || true
        rm -rf "$config"
        exit 1
    fi
    status=0
    XDG_CONFIG_HOME=$config "$bin/kestra-setup" card list >/dev/null 2>&1 || status=$?
    rm -rf "$config"
    if [ "$status" -ne 2 ]; then
        echo "$bin/kestra-setup given a command exited with $status, not 2" >&2
        exit 1
    fi
    local report
    report=$("$bin/kestra-setup-cli" mail-test --smtp-server 127.0.0.1 --smtp-port 47 \
        --sender-email check@example.org --sender-password check --timeout 2 --json || true)
    if ! grep -q '"outcome": "nothing-listens"' <<<"$report"; then
        echo "$bin/kestra-setup-cli could not run its e-mail test:" >&2
        echo "$report" >&2
        exit 1
    fi
    report=$(DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/kestra-check "$bin/kestra-setup-cli" card list 2>&1 || true)
    if ! grep -q 'the system bus is not reachable' <<<"$report"; then
        echo "$bin/kestra-setup-cli could not ask for removable drives:" >&2
        echo "$report" >&2
        exit 1
    fi
}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install build/release --prefix /usr >/dev/null
(cd "$stage" && find . -type f | sed 's|^\./|/|' | LC_ALL=C sort) > "$stage.files"
if ! diff -u packaging/installed-files.txt "$stage.files"; then
    echo "The staged install differs from packaging/installed-files.txt (above)." >&2
    exit 1
fi
rm -f "$stage.files"
"$stage/usr/bin/kestra-setup" --version
"$stage/usr/bin/kestra-setup-cli" --version
check_programs "$stage/usr/bin"

package=$(find build/release -maxdepth 1 -name 'kestra-setup_*.deb' -printf '%T@ %p\n' | sort -rn | head -n 1 | cut -d' ' -f2-)
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$package" >/dev/null
kestra-setup --version
kestra-setup-cli --version
check_programs "$(dirname "$(command -v kestra-setup-cli)")"
dpkg -L kestra-setup | grep -q '^/usr/share/applications/org.kestrasetup.KestraSetup.desktop$'
apt-get remove -y -qq --purge kestra-setup >/dev/null
leftovers=$(find /usr -path '*kestra*' -print 2>/dev/null | grep -v '^/usr/lib/.*/kestra' || true)
if dpkg -s kestra-setup >/dev/null 2>&1 || [ -n "$leftovers" ]; then
    echo "Removing the package left something behind:" >&2
    echo "$leftovers" >&2
    exit 1
fi
echo "install check: package, staged install, desktop entry and metadata are in order"
