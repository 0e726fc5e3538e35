#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Includes point down the layers only: storage, formats, file check, dialog
# layer, windows, shell, program. Each folder may include itself and the
# folders listed for it; anything else fails the check with the offending line.
set -euo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}

formats="storage common"
allowed() {
    case $1 in
        common) echo "common" ;;
        storage) echo "storage common" ;;
        camera | mms | messaging) echo "$1 $formats" ;;
        filecheck) echo "filecheck camera mms messaging $formats" ;;
        cards) echo "cards filecheck camera mms messaging $formats" ;;
        drives) echo "drives cards $formats" ;;
        mailtest) echo "mailtest messaging $formats" ;;
        ui) echo "ui $formats" ;;
        windows) echo "windows ui cards filecheck camera mms messaging $formats" ;;
        cli) echo "cli cards filecheck camera mms messaging $formats" ;;
        app) echo "app windows ui cards filecheck camera mms messaging $formats" ;;
        *) echo "UNKNOWN" ;;
    esac
}

status=0
while IFS= read -r file; do
    rel=${file#"$src"/}
    top=${rel%%/*}
    [ "$top" = "$rel" ] && continue # src/main.cpp, the program, may include anything
    ok=$(allowed "$top")
    if [ "$ok" = UNKNOWN ]; then
        echo "$rel: folder src/$top has no place in the layers; add it to tests/layers/check_layers.sh"
        status=1
        continue
    fi
    while IFS= read -r line; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"${line#*:}")
        [ "$target" = "${line#*:}" ] && continue # an include without a folder
        if ! grep -qw -- "$target" <<<"$ok"; then
            echo "$rel:${line%%:*}: src/$top may not include $target/ (it may include: $ok)"
            status=1
        fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if [ "$status" -eq 0 ]; then
    echo "every include points down the layers"
fi
exit "$status"
