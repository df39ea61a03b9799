#!/usr/bin/env bash
# Checks the Debian packages `cpack -G DEB` makes in a build folder (default
# build/), split as Debian ships a program with its library:
#   libkorvasta0     the engine library in the multiarch folder, with its
#                    soname link and shlibs;
#   libkorvasta-dev  headers, CMake package and the unversioned link,
#                    depending on the library of the same version;
#   orvandel         the program, its data and desktop files, depending on
#                    the library, Qt and the desktop packages.
# Each carries a machine-readable copyright and a changelog compressed as
# Debian wants; lintian finds no error in any. Unpacked together, the
# program analyses an example as the build's does and another program
# builds against the engine of the -dev package.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libdir=./usr/lib/$triplet
library=libkorvasta0
development=libkorvasta-dev
program=orvandel

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "check_package: $*" >&2
    exit 1
}

# The one package file of the given name in the build folder.
deb_of() {
    local files=("$build/$1"_*.deb)
    ((${#files[@]} == 1)) && [[ -f ${files[0]} ]] || fail "not one package $1 in $build: ${files[*]}"
    echo "${files[0]}"
}
# Fails unless the package's listing has the file, given as in `dpkg-deb -c`
# (with " -> target" for a symbolic link).
expect_file() {
    grep -q " $2\( \|$\)" <<<"$(dpkg-deb -c "$1")" || fail "$2 is not in $1"
}
expect_no_file() {
    ! grep -q " $2\( \|$\)" <<<"$(dpkg-deb -c "$1")" || fail "$1 holds $2"
}
expect_depends() {
    local depends
    depends=$(dpkg-deb -f "$1" Depends)
    shift
    for needed in "$@"; do
        grep -qF "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
    done
}
# Every package: its name, the version of the others, its copyright in the
# machine-readable format, and its changelog compressed by gzip -9n (no
# file name, no time stamp, flagged as maximal compression) whose latest
# entry is the package's version.
check_common() {
    local deb=$1 name=$2 doc=$scratch/doc/$2
    [[ $(dpkg-deb -f "$deb" Package) == "$name" ]] || fail "$deb is not the package $name"
    [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "$deb is not of version $version"
    mkdir -p "$doc"
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$doc" --strip-components=5 \
        "./usr/share/doc/$name/copyright" "./usr/share/doc/$name/changelog.Debian.gz" ||
        fail "$name has no copyright or changelog.Debian.gz in /usr/share/doc/$name"
    head -n 1 "$doc/copyright" |
        grep -qx "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
        fail "the copyright of $name is not in the machine-readable format"
    [[ $(od -An -tx1 -j3 -N6 "$doc/changelog.Debian.gz" | tr -d ' ') == 000000000002 ]] ||
        fail "the changelog of $name is not compressed with gzip -9n"
    zcat "$doc/changelog.Debian.gz" >"$doc/changelog"
    [[ $(dpkg-parsechangelog -l "$doc/changelog" -S Version) == "$version" ]] ||
        fail "the latest changelog entry of $name is not version $version"
}

library_deb=$(deb_of $library)
development_deb=$(deb_of $development)
program_deb=$(deb_of $program)
version=$(dpkg-deb -f "$program_deb" Version)
for name in $library $development $program; do
    check_common "$(deb_of $name)" $name
done

expect_file "$library_deb" "$libdir/libkorvasta.so.0.1"
expect_file "$library_deb" "$libdir/libkorvasta.so.0 -> libkorvasta.so.0.1"
expect_depends "$library_deb" libc6 libstdc++6 libcholmod3
dpkg-deb --ctrl-tarfile "$library_deb" | tar -xO ./shlibs | grep -qx "libkorvasta 0 $library (>= $version)" ||
    fail "$library does not give its soname's dependency (shlibs)"
dpkg-deb --ctrl-tarfile "$library_deb" | tar -xO ./triggers | grep -qx "activate-noawait ldconfig" ||
    fail "$library does not refresh the linker's cache"

expect_file "$development_deb" "$libdir/libkorvasta.so -> libkorvasta.so.0"
expect_file "$development_deb" ./usr/include/korvasta/solver/frame_solver.h
expect_file "$development_deb" "$libdir/cmake/korvasta/korvastaConfig.cmake"
expect_depends "$development_deb" "$library (= $version)" libeigen3-dev
expect_no_file "$development_deb" "$libdir/libkorvasta.so.0"

for file in ./usr/bin/Orvandel ./usr/share/orvandel/help.html \
    ./usr/share/applications/org.orvandel.Orvandel.desktop; do
    expect_file "$program_deb" $file
done
expect_depends "$program_deb" "$library (= $version)" libqt6widgets6 libqt6svg6 libqt6printsupport6 \
    libpng16-16 libstdc++6 qt6-qpa-plugins fonts-wqy-microhei
for deb in "$library_deb" "$program_deb"; do
    expect_no_file "$deb" "$libdir/libkorvasta.so"
    expect_no_file "$deb" ./usr/include/
done
expect_no_file "$program_deb" "$libdir/"

lintian --fail-on error "$library_deb" "$development_deb" "$program_deb" || fail "lintian finds errors"

# The three unpacked into one root: the program finds the library there by
# its RUNPATH and analyses a copy of an example to the example's results.
root=$scratch/root
for deb in "$library_deb" "$development_deb" "$program_deb"; do
    dpkg-deb -x "$deb" "$root"
done
grep -q "libkorvasta.so.0 => $root/" <<<"$(ldd "$root/usr/bin/Orvandel")" ||
    fail "the program does not find the packaged library"
cp examples/portal.tsd "$scratch/"
"$root/usr/bin/Orvandel" --analyze "$scratch/portal.tsd" >/dev/null
cmp "$scratch/portal.mqn" examples/portal.mqn
# Another program built against the -dev package's engine only.
cmake -S tests/install -B "$scratch/consumer" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" >/dev/null
cmake --build "$scratch/consumer" >/dev/null
"$scratch/consumer/korvasta_consumer" "$scratch/cantilever.tsd"
echo "check_package: $library, $development and $program $version pass"
