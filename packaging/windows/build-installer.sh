#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Windows installer from the program folder that scripts/windows.sh
# puts together:
#
#   build-installer.sh PACKAGE_DIR VERSION OUTFILE
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
package=$(cd "$1" && pwd)
version=$2
outfile=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$here/file-list.sh" "$package" "$work/files.nsh" "$work/unfiles.nsh"
# The licence page shows one text: the notice, then the licence. Windows
# edit controls want CR LF.
{ cat "$root/NOTICE"; printf '\n\n'; cat "$root/LICENSE"; } | sed 's/$/\r/' > "$work/license.txt"

makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" \
    -DFILES="$work/files.nsh" \
    -DUNFILES="$work/unfiles.nsh" \
    -DLICENSE_FILE="$work/license.txt" \
    -DICON="$root/resources/icons/kestra.ico" \
    -DOUTFILE="$(realpath -m "$outfile")" \
    "$here/kestra-setup.nsi"
