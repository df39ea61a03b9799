#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything and runs every test:
# the Release build with its tests (the on-screen window tests under their
# own Xvfb), the installation of that build into a scratch prefix with its
# checks and the Debian packages, then every test once more under
# AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on the
# first failure. CMAKE_BUILD_PARALLEL_LEVEL, when set, limits the jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}

cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release -j "$jobs"
scripts/check_install.sh build
# Packages of an earlier version would be checked with the new ones.
rm -f build/*.deb
(cd build && cpack -G DEB)
scripts/check_package.sh build

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"
