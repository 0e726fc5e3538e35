# shellcheck shell=bash
# SPDX-License-Identifier: Apache-2.0
# Shared by run.sh and test.sh: make sure the Debian packages a step needs are
# installed, installing them when we are root and explaining how otherwise.
kestra_require_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "Kestra Setup needs these Debian packages, which are not installed:" >&2
        echo "    sudo apt-get install -y ${missing[*]}" >&2
        echo "Run that line (or run this script as root), then run this script again." >&2
        exit 1
    fi
    echo "Installing ${missing[*]} ..."
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# shellcheck disable=SC2034 # read by the scripts that source this file
KESTRA_BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config qt6-base-dev libcli11-dev
                       qt6-qpa-plugins libgl-dev qt6-translations-l10n)
