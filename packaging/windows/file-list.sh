#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Writes the installer's file lists for the program folder DIR: INSTALL gets
# the File lines, UNINSTALL the Delete and RMDir lines for exactly those files,
# so the uninstaller removes what was installed and nothing else, even where a
# user chose a folder that holds other files.
#
#   file-list.sh DIR INSTALL UNINSTALL
# The $INSTDIR in the lines is the installer's own variable, kept literally.
# shellcheck disable=SC2016
set -euo pipefail

dir=$1
install=$2
uninstall=$3

windows_path() { printf '%s' "${1//\//\\}"; }

{
    printf 'SetOutPath "$INSTDIR"\n'
    while IFS= read -r folder; do
        relative=${folder#"$dir"}
        relative=${relative#/}
        if [ -n "$relative" ]; then
            printf 'SetOutPath "$INSTDIR\\%s"\n' "$(windows_path "$relative")"
        fi
        find "$folder" -mindepth 1 -maxdepth 1 -type f -print0 | sort -z |
            while IFS= read -r -d '' file; do
                printf 'File "%s"\n' "$file"
            done
    done < <(find "$dir" -type d | sort)
    printf 'SetOutPath "$INSTDIR"\n'
} > "$install"

{
    find "$dir" -type f -print0 | sort -z | while IFS= read -r -d '' file; do
        printf 'Delete "$INSTDIR\\%s"\n' "$(windows_path "${file#"$dir"/}")"
    done
    # Deepest folders first; a folder that still holds something stays.
    find "$dir" -mindepth 1 -type d | sort -r | while IFS= read -r folder; do
        printf 'RMDir "$INSTDIR\\%s"\n' "$(windows_path "${folder#"$dir"/}")"
    done
} > "$uninstall"
