#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks the Windows installer under Wine, in a fresh prefix, as an
# administrator preparing several PCs would use it:
#
#   check-installer.sh PACKAGE_DIR VERSION INSTALLER WORK_DIR
#
# An older build is installed for this user, a stored choice is made, this
# build is installed over it silently, and then it must hold: the files, the
# Start-menu shortcut and the Apps & Features entry are where they belong, the
# older build's files are gone, the stored choice is kept, the installed
# command line saves the worked camera example into a C:\ folder byte for
# byte, and the installed windows send a command there.
# A silent uninstall must leave nothing but the stored choice; /PURGE removes
# that too. Last, an install for all users goes to Program Files and HKLM.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
package=$(cd "$1" && pwd)
version=$2
installer=$(realpath "$3")
work=$(realpath -m "$4")

failures=0
fail() {
    echo "installer check: FAILED: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "installer check: ok: $*"; }

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
env -u DISPLAY -u WAYLAND_DISPLAY wineboot --init >/dev/null 2>&1
wineserver -p60 2>/dev/null || true
trap 'wineserver --kill 2>/dev/null || true' EXIT

run() { env -u DISPLAY -u WAYLAND_DISPLAY wine "$@"; }
# The uninstaller copies itself away and returns at once: wait for the copy.
settle() { wineserver -w; }
unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
windows_env() { run cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
has_key() { run reg query "$1" >/dev/null 2>&1; }
value_of() { run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $NF }'; }

local_appdata=$(unix_path "$(windows_env LOCALAPPDATA)")
programs=$(unix_path "$(windows_env APPDATA)")/Microsoft/Windows/Start\ Menu/Programs
user_dir="$local_appdata/Programs/Kestra Setup"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\KestraSetup'
machine_uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KestraSetup'
choices_key='HKCU\Software\Microsoft\Windows\CurrentVersion\App Paths\Kestra.exe'

# The older build: the same program under an older version, with one file
# this build no longer has.
previous_package=$work/previous/kestra-setup
mkdir -p "$(dirname "$previous_package")"
cp -r "$package" "$previous_package"
echo "only in the older build" > "$previous_package/retired.txt"
"$here/build-installer.sh" "$previous_package" 1.0.1 "$work/previous-setup.exe" >/dev/null

run "$work/previous-setup.exe" /S /CurrentUser || fail "the older build did not install"
[ -f "$user_dir/retired.txt" ] || fail "the older build's files are not in $user_dir"
run reg add "$choices_key" /v language /t REG_DWORD /d 3 /f >/dev/null 2>&1

run "$installer" /S /CurrentUser || fail "the installer exited with $?"

# Every file of the program folder, byte for byte, and nothing of the older build.
missing=0
while IFS= read -r -d '' file; do
    cmp -s "$file" "$user_dir/${file#"$package"/}" || { missing=$((missing + 1)); fail "not installed: ${file#"$package"/}"; }
done < <(find "$package" -type f -print0)
[ "$missing" -eq 0 ] && pass "every file is installed in $user_dir"
[ -e "$user_dir/retired.txt" ] && fail "the older build's retired.txt was left behind"
[ -f "$user_dir/uninstall.exe" ] || fail "no uninstaller"
if [ -f "$programs/Kestra Setup.lnk" ]; then pass "Start-menu shortcut"; else fail "no Start-menu shortcut in $programs"; fi

[ "$(value_of "$uninstall_key" DisplayVersion)" = "$version" ] || fail "Apps & Features does not show version $version"
for name in DisplayName Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString InstallLocation; do
    [ -n "$(value_of "$uninstall_key" "$name")" ] || fail "the uninstall entry has no $name"
done
has_key "$machine_uninstall_key" && fail "a per-user install wrote under HKLM"
if [ "$(value_of "$choices_key" language)" = "0x3" ]; then
    pass "the upgrade kept the stored choice"
else
    fail "the upgrade lost the stored choice"
fi

# The installed command line saves the worked example into a folder on drive
# C (a card's root is a folder that exists); the installed windows, given the
# same command, send it there with exit status 2 and write nothing.
mkdir -p "$WINEPREFIX/drive_c/kestra-worked"
if run "$user_dir/kestra-setup-cli.exe" camera --out 'C:\kestra-worked' --clock "2024-03-05 08:07:06" >"$work/camera.out" 2>&1 &&
   cmp -s "$WINEPREFIX/drive_c/kestra-worked/camera.dat" "$root/tests/formats/camera/golden/camera_worked.dat"; then
    pass "the installed command line saved the worked camera example into C:\\kestra-worked"
else
    fail "the installed command line did not save the worked example: $(cat "$work/camera.out")"
fi
grep -q 'camera.dat' "$work/camera.out" || fail "the installed command line printed nothing to its console"
mkdir -p "$WINEPREFIX/drive_c/kestra-windowed"
windowed_status=0
run "$user_dir/kestra-setup.exe" camera --out 'C:\kestra-windowed' >"$work/windowed.out" 2>&1 || windowed_status=$?
if [ "$windowed_status" -eq 2 ] && grep -q 'kestra-setup-cli' "$work/windowed.out" &&
   [ -z "$(ls -A "$WINEPREFIX/drive_c/kestra-windowed")" ]; then
    pass "the installed windows sent a command to kestra-setup-cli"
else
    fail "the installed windows, given a command, exited with $windowed_status: $(cat "$work/windowed.out")"
fi

run "$user_dir/uninstall.exe" /S || fail "the uninstaller exited with $?"
settle
[ -e "$user_dir" ] && fail "the uninstall left $(find "$user_dir" | head -5 | tr '\n' ' ')"
[ -e "$programs/Kestra Setup.lnk" ] && fail "the uninstall left the shortcut"
has_key "$uninstall_key" && fail "the uninstall left the Apps & Features entry"
if [ "$(value_of "$choices_key" language)" = "0x3" ]; then
    pass "the uninstall kept the stored choice"
else
    fail "the uninstall removed the stored choice"
fi

run "$installer" /S /CurrentUser || fail "the reinstall exited with $?"
run "$user_dir/uninstall.exe" /S /PURGE || fail "the purging uninstall exited with $?"
settle
has_key "$choices_key" && fail "/PURGE left the stored choices"
[ -e "$user_dir" ] && fail "the purging uninstall left $user_dir"

if run "$installer" /S /AllUsers; then
    machine_dir=$(unix_path "$(windows_env ProgramW6432)")/Kestra\ Setup
    if [ -f "$machine_dir/kestra-setup.exe" ]; then
        pass "for all users in $machine_dir"
    else
        fail "an install for all users is not in $machine_dir"
    fi
    [ "$(value_of "$machine_uninstall_key" DisplayVersion)" = "$version" ] || fail "an install for all users has no HKLM entry"
    run "$machine_dir/uninstall.exe" /S || fail "the all-users uninstaller exited with $?"
    settle
    [ -e "$machine_dir" ] && fail "the all-users uninstall left $machine_dir"
    has_key "$machine_uninstall_key" && fail "the all-users uninstall left its entry"
else
    echo "installer check: skipped the install for all users: this Wine user is no administrator"
fi

if [ "$failures" -ne 0 ]; then
    echo "installer check: $failures failed" >&2
    exit 1
fi
echo "installer check: all passed"
