#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Includes point down the layers only: storage, formats, file check, dialog
# layer, windows, shell, programs (kestra-setup, the windows, which holds no
# command-line code, and kestra-setup-cli). Each folder may include itself and the
# folders listed for it; anything else fails the check with the offending line.
# A folder is a top folder of src/, except under src/formats (one folder per
# settings file, none including another but all including formats/shared,
# what they share) and src/mailtest (its QtCore front half, which the windows
# and the command line may include, and its QtNetwork module, which only the
# module's own code may).
set -euo pipefail
src=${1:?usage: check_layers.sh SRC_DIR}

base="storage common"
formats="formats/shared formats/camera formats/mms formats/gprs formats/sms"
allowed() {
    case $1 in
        common) echo "common" ;;
        storage) echo "storage common" ;;
        formats/shared) echo "formats/shared $base" ;;
        formats/camera | formats/mms | formats/gprs | formats/sms) echo "$1 formats/shared $base" ;;
        mailtest/core) echo "mailtest/core formats/gprs formats/shared $base" ;;
        mailtest/network) echo "mailtest/network mailtest/core formats/gprs formats/shared $base" ;;
        filecheck) echo "filecheck $formats $base" ;;
        cards) echo "cards filecheck $formats $base" ;;
        drives) echo "drives cards $base" ;;
        ui) echo "ui $base" ;;
        dialogs) echo "dialogs ui cards filecheck mailtest/core $formats $base" ;;
        cli) echo "cli cards filecheck mailtest/core $formats $base" ;;
        app) echo "app dialogs ui cards filecheck mailtest/core $formats $base" ;;
        *) echo "UNKNOWN" ;;
    esac
}

# The folder a path under src/ belongs to (empty for a file directly in src/).
folder_of() {
    local first=${1%%/*} rest
    [ "$first" = "$1" ] && return 0
    case $first in
        formats | mailtest)
            rest=${1#*/}
            if [ "${rest%%/*}" = "$rest" ]; then
                echo "$first" # a file directly in src/formats or src/mailtest
            else
                echo "$first/${rest%%/*}"
            fi
            ;;
        *) echo "$first" ;;
    esac
}

status=0
while IFS= read -r file; do
    rel=${file#"$src"/}
    top=$(folder_of "$rel")
    if [ -z "$top" ]; then
        # The programs' own files may include anything, but the windowed
        # program holds no command-line code: nothing of src/cli.
        if [ "$rel" = SetupProgram.cpp ]; then
            while IFS= read -r line; do
                path=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"${line#*:}")
                if [ "$(folder_of "$path")" = cli ]; then
                    echo "$rel:${line%%:*}: the windowed program may not include $path (the command line's)"
                    status=1
                fi
            done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
        fi
        continue
    fi
    ok=$(allowed "$top")
    if [ "$ok" = UNKNOWN ]; then
        echo "$rel: folder src/$top has no place in the layers; add it to tests/layers/check_layers.sh"
        status=1
        continue
    fi
    while IFS= read -r line; do
        path=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"${line#*:}")
        target=$(folder_of "$path")
        [ -z "$target" ] && continue # an include without a folder
        if ! grep -qxF -- "$target" <<<"${ok// /$'\n'}"; then
            echo "$rel:${line%%:*}: src/$top may not include $target/ (it may include: $ok)"
            status=1
        fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if [ "$status" -eq 0 ]; then
    echo "every include points down the layers"
fi
exit "$status"
