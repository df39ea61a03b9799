# `cpack -G DEB` in the build folder makes one Debian package of everything
# installed: the program, the engine library with its headers and CMake
# package, the data folder and the desktop files. The library dependencies
# are read from the binaries (dpkg-shlibdeps, package dpkg-dev); the
# packages below are what the program needs beyond them to start on a
# desktop and show its Chinese texts.
set(CPACK_PACKAGE_NAME orvandel)
set(CPACK_PACKAGE_VENDOR "The Orvandel developers")
set(CPACK_PACKAGE_CONTACT "The Orvandel developers <orvandel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis of plane rigid frames by the direct stiffness method")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvandel draws a plane rigid frame, takes its materials, sections, supports\n"
    "and loads, and computes member end forces, node displacements and the\n"
    "internal-force diagrams. Includes the analysis engine library korvasta\n"
    "with its headers and CMake package.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package provides libkorvasta.so.0 to other packages by its soname.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The X11 and Wayland platform plugins of Qt, a font with Chinese glyphs,
# Qt's own Chinese texts (buttons, file dialogs); the desktop database and
# MIME cache are refreshed by their packages' triggers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, shared-mime-info, desktop-file-utils")
# For programs built against the engine's headers.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libeigen3-dev")
include(CPack)
