#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
set -euo pipefail

# xvfb: the on-screen window tests run on their own X server; xdotool and
# imagemagick drive the program there and take screenshots of it.
# fonts-noto-cjk: Noto Sans Mono CJK, whose Chinese characters are two
# columns wide, for the end-force table printed on the canvas.
# qt6-translations-l10n: Qt's own texts in Chinese. locales: the GB18030
# locale the file-name tests use. libeigen3-dev: the engine's sparse
# factorization (header-only). libsuitesparse-dev: CHOLMOD, which factors
# large frames in dense blocks. libopenblas0-serial: an optimised BLAS for
# those blocks (the reference BLAS takes about three times as long on a
# building of 20,000 members); serial, as the engine runs on one thread. librsvg2-bin: rsvg-convert draws the icon's
# bitmaps from its SVG. desktop-file-utils, appstream, shared-mime-info:
# the test command validates the installed desktop entry, AppStream
# description and file type. dpkg-dev: cpack reads the Debian package's
# library dependencies with dpkg-shlibdeps. lintian: the package check
# runs Debian's own checks of the packages. libqt6svg6-dev: the drawing
# exported as SVG (QSvgGenerator). libpng-dev: PNG pictures encoded with
# libpng itself, whose row filters Qt's writer does not let us choose.
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev
    libsuitesparse-dev libopenblas0-serial qt6-base-dev
    libqt6svg6-dev libpng-dev
    fonts-wqy-microhei fonts-noto-cjk qt6-translations-l10n xvfb xauth xdotool imagemagick locales
    librsvg2-bin desktop-file-utils appstream shared-mime-info dpkg-dev lintian)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
as_root() {
    if [[ $(id -u) -ne 0 ]]; then
        sudo "$@"
    else
        "$@"
    fi
}
if ((${#missing[@]})); then
    as_root apt-get update
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A Chinese locale whose encoding is not UTF-8, for the file-name tests.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.gb18030$'; then
    as_root localedef -i zh_CN -f GB18030 zh_CN.GB18030 || true
fi
