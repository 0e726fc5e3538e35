#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Pictures of every window in every interface language, as the layout check
# lays them out, for looking at rather than testing:
#   build/gallery/linux/<window>-<language>.png    the Linux build (Fusion)
#   build/gallery/windows/<window>-<language>.png  the Windows build under Wine
#                                                  with its own look, when
#                                                  scripts/windows.sh has built it
#   build/gallery/linux-150/, windows-150/         the same on a screen scaled
#                                                  to 150%
# `scripts/gallery.sh docs` also copies the README's pictures into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh
root=$PWD

kestra_require_packages "${KESTRA_BUILD_PACKAGES[@]}" libgtest-dev libgmock-dev fonts-dejavu-core fonts-noto-cjk

gallery=$root/build/gallery
rm -rf "$gallery"
mkdir -p "$gallery/linux"

# The folder fields show the home folder: a neutral one for the pictures.
export HOME=/home/user XDG_CACHE_HOME=$root/build/gallery/cache XDG_CONFIG_HOME=$root/build/gallery/config

cmake --preset ci >/dev/null
cmake --build --preset ci --target app_TextFitTest app_CardsDialogTest
KESTRA_GALLERY_DIR=$gallery/linux QT_QPA_PLATFORM=offscreen build/ci/tests/app_TextFitTest \
    --gtest_filter='TextFit.*' >/dev/null || echo "The layout check fails on Linux; the pictures show where." >&2
# At 150% the test program makes its own offscreen screen (of that scale).
(cd build/ci/tests && env -u QT_QPA_PLATFORM KESTRA_GALLERY_DIR="$gallery/linux-150" KESTRA_TEST_SCALE=1.5 \
    ./app_TextFitTest --gtest_filter='TextFit.*' >/dev/null) \
    || echo "The layout check fails on Linux at 150%; the pictures show where." >&2
# The card writing window after a run of three cards.
KESTRA_GALLERY_DIR=$gallery/linux QT_QPA_PLATFORM=offscreen build/ci/tests/app_CardsDialogTest \
    --gtest_filter='CardsWindow.WritesThreeCards*' >/dev/null || echo "The card window's test fails." >&2

windows_test=build/windows/tests/app_TextFitTest.exe
if [ -f "$windows_test" ]; then
    kestra_require_packages wine wine64 xvfb xauth
    mkdir -p "$gallery/windows" "$gallery/windows-150"
    qt_prefix=$(scripts/windows.sh qt-prefix)
    mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
    export WINEPATH="$qt_prefix/bin;$mingw_runtime;/usr/x86_64-w64-mingw32/lib"
    export WINEPREFIX=$root/build/windows/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -d "$WINEPREFIX" ]; then
        wineboot --init >/dev/null 2>&1
        cp /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    # The Windows look: the windows platform plugin and style, on a screen.
    KESTRA_GALLERY_DIR="Z:${gallery//\//\\}\\windows" xvfb-run -a -s "-screen 0 1280x1024x24" \
        wine "$windows_test" -platform windows --gtest_filter='TextFit.*' >/dev/null 2>&1 \
        || echo "The layout check fails under Wine; the pictures show where." >&2
    KESTRA_GALLERY_DIR="Z:${gallery//\//\\}\\windows-150" KESTRA_TEST_SCALE=1.5 \
        xvfb-run -a -s "-screen 0 1280x1024x24" \
        wine "$windows_test" -platform windows --gtest_filter='TextFit.*' >/dev/null 2>&1 \
        || echo "The layout check fails under Wine at 150%; the pictures show where." >&2
else
    echo "No Windows build ($windows_test): run scripts/windows.sh for the Windows pictures." >&2
fi
echo "Pictures: $(find "$gallery" -name '*.png' | wc -l) in build/gallery/"

if [ "${1:-}" = docs ]; then
    cp "$gallery/linux/main-en.png" docs/main-window.png
    cp "$gallery/linux/camera-en.png" docs/camera-window.png
    cp "$gallery/linux/camera-zh.png" docs/camera-window-zh.png
    cp "$gallery/linux/mms-en.png" docs/mms-window.png
    cp "$gallery/linux/mms-zh.png" docs/mms-window-zh.png
    cp "$gallery/linux/smtp-en.png" docs/smtp-window.png
    cp "$gallery/linux/smtp-zh.png" docs/smtp-window-zh.png
    cp "$gallery/linux/sms-en.png" docs/sms-window.png
    cp "$gallery/linux/sms-sl.png" docs/sms-window-sl.png
    cp "$gallery/linux/cards-run-en.png" docs/cards-window.png
    if [ -d "$gallery/windows" ]; then
        cp "$gallery/windows/main-en.png" docs/windows-main.png
        cp "$gallery/windows/camera-zh.png" docs/windows-camera-zh.png
        cp "$gallery/windows/mms-en.png" docs/windows-mms.png
    fi
fi
