#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# The Windows build, made and tested on Debian:
#   1. Qt 6.4.2 for x86_64 mingw-w64, built from Debian's qt6-base source
#      package with the host tools of Debian's own Qt 6.4.2, and cached outside
#      the checkout (KESTRA_WINDOWS_CACHE, default /var/cache/kestra-setup),
#      keyed by version and options, so that it is built once per machine;
#   2. the program and its tests, cross-built with the `windows` preset;
#   3. build/windows/kestra-setup-windows-x86_64.zip: both programs (the
#      windowed kestra-setup.exe and the console kestra-setup-cli.exe), the Qt
#      DLLs and plugins they need, the mingw runtime DLLs and the licence files;
#   4. the test suite under Wine, in a fresh prefix, headless, the console
#      program as a Command Prompt runs it, and the card test (a removable
#      drive that cards go in and out of, in a prefix of its own);
#   5. the window tests again in the Windows look, under Wine and Xvfb;
#   6. the installer under Wine.
# `scripts/windows.sh qt` stops after step 1, `scripts/windows.sh build` after
# step 3; with no argument every step runs.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

stage=${1:-all}
root=$PWD

kestra_require_packages g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev xz-utils googletest zip nsis python3-pefile \
    cmake ninja-build qt6-base-dev qt6-base-dev-tools fonts-dejavu-core fonts-noto-cjk qt6-translations-l10n \
    xvfb xauth

# --- 1. Qt for Windows ------------------------------------------------------
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    # Only what the tool uses: Core, Gui, Widgets and Network, with the windows
    # and offscreen platform plugins. OpenGL stays on (loaded at run time):
    # the windows platform plugin does not compile without it.
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_testlib=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_opengl_dynamic=ON
    -DFEATURE_openssl=OFF
    -DFEATURE_zstd=OFF
    # Debian's source package leaves out the tablet header that the windows
    # platform plugin would need.
    -DFEATURE_tabletevent=OFF
    # Bundled third-party libraries: the cross compiler has none of its own.
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_libb2=OFF
    -DFEATURE_system_textmarkdownreader=OFF
)
qt_key=$(printf '%s\n' "$qt_version" "${qt_options[@]}" "$(x86_64-w64-mingw32-g++-posix --version | head -1)" \
         | sha256sum | cut -c1-12)
cache=${KESTRA_WINDOWS_CACHE:-/var/cache/kestra-setup}
qt_prefix=$cache/qt-6.4.2-mingw-w64-$qt_key

# `scripts/windows.sh qt-prefix` prints where that Qt is (or will be).
if [ "$stage" = qt-prefix ]; then
    echo "$qt_prefix"
    exit 0
fi

build_qt() {
    local work=$cache/work-$qt_key
    rm -rf "$work"
    mkdir -p "$work"
    # Debian's source package, through a private apt configuration whose
    # source entries are the machine's own package entries.
    local apt=$work/apt
    mkdir -p "$apt/lists/partial" "$apt/sources.list.d"
    local list
    for list in /etc/apt/sources.list.d/*.sources; do
        [ -e "$list" ] || continue
        sed 's/^Types: deb$/Types: deb-src/' "$list" > "$apt/sources.list.d/$(basename "$list")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$apt/sources.list"
    else
        : > "$apt/sources.list"
    fi
    local apt_options=(-o "Dir::Etc::SourceList=$apt/sources.list"
                       -o "Dir::Etc::SourceParts=$apt/sources.list.d"
                       -o "Dir::State::Lists=$apt/lists"
                       -o "APT::Sandbox::User=root")
    apt-get "${apt_options[@]}" update -qq
    (cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$qt_version" >/dev/null)
    (cd "$work" && dpkg-source -x qt6-base_*.dsc source >/dev/null)

    echo "Building Qt $qt_version for Windows into $qt_prefix (20 to 30 minutes on 2 cores) ..."
    cmake -S "$work/source" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix.partial" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        "${qt_options[@]}" > "$work/configure.log"
    cmake --build "$work/build" --parallel 2 > "$work/build.log"
    rm -rf "$qt_prefix.partial"
    cmake --install "$work/build" > "$work/install.log"
    # The licences travel with the DLLs into the zip.
    mkdir -p "$qt_prefix.partial/licenses"
    cp "$work/source/LICENSES/"* "$qt_prefix.partial/licenses/"
    cp "$work/source/debian/copyright" "$qt_prefix.partial/licenses/qt6-base-copyright.txt"
    # Qt's CMake files name the prefix they were installed to; the finished
    # folder is renamed into place only once whole.
    grep -rl "$qt_prefix.partial" "$qt_prefix.partial" | xargs -r sed -i "s#$qt_prefix.partial#$qt_prefix#g"
    mv "$qt_prefix.partial" "$qt_prefix"
    rm -rf "$work"
}

if [ -f "$qt_prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "Qt for Windows: $qt_prefix (cached)"
else
    build_qt
fi
[ "$stage" = qt ] && exit 0

# --- 2. The program and its tests -------------------------------------------
export KESTRA_WINDOWS_QT=$qt_prefix
# KESTRA_CMAKE_ARGS may hold several arguments: split on purpose.
# shellcheck disable=SC2086
cmake --preset windows ${KESTRA_CMAKE_ARGS:-} >/dev/null
cmake --build --preset windows

# --- 3. The zip ---------------------------------------------------------------
build=build/windows
mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
package=$build/package/kestra-setup
rm -rf "$build/package"
mkdir -p "$package/platforms" "$package/styles" "$package/tls" "$package/licenses" "$package/translations"
cp "$build/src/kestra-setup.exe" "$build/src/kestra-setup-cli.exe" "$package/"
# Modules the programs open on demand (the e-mail test).
find "$build/src" -maxdepth 1 -name '*.dll' -exec cp {} "$package/" \;
for library in Core Gui Widgets Network; do
    cp "$qt_prefix/bin/Qt6$library.dll" "$package/"
done
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$package/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$package/styles/"
# TLS for the e-mail test: the system's own Schannel.
cp "$qt_prefix/plugins/tls/qschannelbackend.dll" "$package/tls/"
cp "$mingw_runtime/libstdc++-6.dll" "$mingw_runtime/libgcc_s_seh-1.dll" \
   /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$package/"
# Qt's own texts (file dialog, message-box buttons) in the interface language:
# Debian's translations are those of the same Qt version, 6.4.
cp /usr/share/qt6/translations/qtbase_*.qm "$package/translations/"
cp /usr/share/doc/qt6-translations-l10n/copyright "$package/licenses/qt6-translations-copyright.txt"
cp LICENSE NOTICE "$package/"
cp "$qt_prefix/licenses/"* "$package/licenses/"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$package/licenses/gcc-runtime-copyright.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$package/licenses/mingw-w64-copyright.txt"
zip_file=$root/$build/kestra-setup-windows-x86_64.zip
rm -f "$zip_file"
(cd "$build/package" && zip -qr9 "$zip_file" kestra-setup)
echo "Windows package: $build/kestra-setup-windows-x86_64.zip"

# The installer beside the zip, and the programs' icons, version records and
# subsystems read back from what was built: the windows a windowed program
# (no console window behind them), the command line a console program (a
# prompt waits for it and %ERRORLEVEL% is its exit status).
version=$(sed -n 's/^project(KestraSetup VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
installer=$build/kestra-setup-$version-windows-x86_64-setup.exe
packaging/windows/build-installer.sh "$package" "$version" "$installer"
/usr/bin/python3 packaging/windows/check-exe.py "$package/kestra-setup.exe" --gui --icon 128 \
    ProductName="Kestra Setup" FileVersion=1.1.0.1 FileDescription="Wirless Scouting Camera" \
    LegalCopyright="Copyright 2026 The Kestra Setup developers"
/usr/bin/python3 packaging/windows/check-exe.py "$package/kestra-setup-cli.exe" --console --icon 128 \
    ProductName="Kestra Setup" FileVersion=1.1.0.1 FileDescription="Kestra Setup command line" \
    OriginalFilename=kestra-setup-cli.exe
/usr/bin/python3 packaging/windows/check-exe.py "$installer" ProductName="Kestra Setup" ProductVersion="$version"
echo "Windows installer: $installer"
[ "$stage" = build ] && exit 0

# --- 4. The tests under Wine --------------------------------------------------
# A fresh prefix every run, without the Mono and Gecko installers that a new
# prefix would otherwise ask for, and without a display.
export WINEPREFIX=$root/$build/wine
export WINEDEBUG=-all
# A test program that crashes ends with an error code instead of waiting for
# a debugger that nobody watches.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
rm -rf "$WINEPREFIX"
env -u DISPLAY -u WAYLAND_DISPLAY wineboot --init >/dev/null 2>&1
# Qt's offscreen platform on Windows reads fonts from one folder, named by
# QT_QPA_FONTDIR; the widget tests measure the same fonts as on Linux. Wine
# does not hand QT_* variables on from the Unix side, so the variable goes
# into the prefix's own environment.
fonts=$root/$build/fonts
rm -rf "$fonts"
mkdir -p "$fonts"
ln -s /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
      /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$fonts/"
wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /t REG_SZ /d "Z:${fonts//\//\\}" /f >/dev/null 2>&1
# One server for the whole run instead of one per test program.
wineserver -p60 2>/dev/null || true # may already run for the prefix
trap 'wineserver --kill 2>/dev/null || true' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY ctest --preset windows

# Both programs from the zip's folder, as a Command Prompt runs them: the
# console program's exit status is what cmd sees, and it prints its version;
# the windowed program sends a command to it and exits with 2.
console_check() {
    local status=0 out
    out=$(cd "$package" && env -u DISPLAY -u WAYLAND_DISPLAY wine cmd /c kestra-setup-cli.exe --bogus 2>&1) || status=$?
    if [ "$status" -ne 2 ]; then
        echo "cmd /c kestra-setup-cli.exe --bogus exited with $status, not 2: $out" >&2
        return 1
    fi
    out=$(cd "$package" && env -u DISPLAY -u WAYLAND_DISPLAY wine cmd /c kestra-setup-cli.exe --version 2>&1 | tr -d '\r')
    if [ "$out" != "kestra-setup-cli $version" ]; then
        echo "kestra-setup-cli.exe --version printed \"$out\", not \"kestra-setup-cli $version\"" >&2
        return 1
    fi
    status=0
    out=$(cd "$package" && env -u DISPLAY -u WAYLAND_DISPLAY wine cmd /c kestra-setup.exe card list 2>&1) || status=$?
    if [ "$status" -ne 2 ] || ! grep -q 'kestra-setup-cli' <<<"$out"; then
        echo "cmd /c kestra-setup.exe card list exited with $status, not 2, saying: $out" >&2
        return 1
    fi
    echo "Console check: kestra-setup-cli.exe exits 2 on a bad option and prints its version under cmd;" \
        "kestra-setup.exe sends commands to it"
}
console_check

# The card test: the console program against a removable drive E: that cards
# are put into and taken out of, in a prefix of its own; its files compared
# with the Linux build's where that is built (scripts/wine-cards.sh).
linux_cli=()
[ -x build/ci/src/kestra-setup-cli ] && linux_cli=("$root/build/ci/src/kestra-setup-cli")
scripts/wine-cards.sh "$package" "$build/tests/kestra_test_wine_helper.exe" "$build/wine-cards" "${linux_cli[@]}"

# --- 5. The window tests in the Windows look ----------------------------------
# The window tests once more on the windows platform plugin and the style a
# Windows user gets, drawn by Wine on an X screen of their own, with the fonts
# Wine's font system offers a Windows program (scripts/windows-look.sh; the
# tests that cannot run there are in tests/windows-look-skips.txt). Wine has
# no CJK font of its own (Windows has SimSun), so the prefix gets Debian's.
cp /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
wineserver --kill 2>/dev/null || true # the next server reads the font folder afresh
look_start=$SECONDS
WINEPATH="$qt_prefix/bin;$mingw_runtime;/usr/x86_64-w64-mingw32/lib" \
    xvfb-run -a -s "-screen 0 1280x1024x24" scripts/windows-look.sh "$build/tests" "$build/look"
echo "Window tests in the Windows look: $((SECONDS - look_start)) s"
wineserver --kill 2>/dev/null || true

# --- 6. The installer under Wine, in a prefix of its own ----------------------
packaging/windows/check-installer.sh "$package" "$version" "$installer" "$build/installer-check"
