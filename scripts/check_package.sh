#!/usr/bin/env bash
# Checks a Debian package made by `cpack -G DEB`: it holds the program, the
# engine library and the desktop files under /usr, and declares the
# libraries and desktop packages the program needs.
set -euo pipefail
package=$1
fail() {
    echo "check_package: $*" >&2
    exit 1
}
contents=$(dpkg-deb -c "$package")
for file in ./usr/bin/Orvandel ./usr/lib/libkorvasta.so.0 ./usr/share/orvandel/help.html \
    ./usr/share/applications/org.orvandel.Orvandel.desktop; do
    grep -q " $file\( \|$\)" <<<"$contents" || fail "$file is not in the package"
done
depends=$(dpkg-deb -f "$package" Depends)
for needed in libqt6widgets6 libqt6svg6 libqt6printsupport6 libpng16-16 libstdc++6 qt6-qpa-plugins \
    fonts-wqy-microhei; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
echo "check_package: $package passes"
