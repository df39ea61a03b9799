# `cpack -G DEB` in the build folder makes three Debian packages, split as
# Debian ships a program with its library:
#   libkorvasta0     the engine library (component "library"), in the
#                    multiarch folder, named by its soname;
#   libkorvasta-dev  its headers, CMake package and unversioned link
#                    (component "development");
#   orvandel         the program, its data folder and desktop files
#                    (component "program").
# Each carries its copyright and Debian changelog in
# /usr/share/doc/<package>. The library dependencies are read from the
# binaries (dpkg-shlibdeps, package dpkg-dev).
get_target_property(korvasta_soversion korvasta SOVERSION)
set(library_package libkorvasta${korvasta_soversion})
set(debian_components library development program)
set(debian_packages ${library_package} libkorvasta-dev orvandel)

set(CPACK_PACKAGE_NAME orvandel)
set(CPACK_PACKAGE_VENDOR "The Orvandel developers")
# The host of the address is the application id's domain; Debian's checks
# refuse an address on localhost.
set(CPACK_PACKAGE_CONTACT "The Orvandel developers <orvandel@orvandel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis of plane rigid frames by the direct stiffness method")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${debian_components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The Debian revision: the packages are not native, their changelog is
# changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SOURCE orvandel)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME ${library_package})
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
string(CONCAT CPACK_COMPONENT_LIBRARY_DESCRIPTION
    "The analysis engine of Orvandel: the structural records of a plane rigid\n"
    "frame and the direct stiffness method (member end forces, node\n"
    "displacements, internal forces along the members).")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SHLIBDEPS ON)
# Other packages depend on the library by its soname (DEBIAN/shlibs); the
# dynamic linker's cache is refreshed by ldconfig's trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/debian/triggers)
# CHOLMOD (a dependency found by dpkg-shlibdeps) factors large frames with
# whatever BLAS the system provides; an optimised one makes it several
# times faster than the reference BLAS.
set(CPACK_DEBIAN_LIBRARY_PACKAGE_RECOMMENDS "libopenblas0-serial | libopenblas0")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libkorvasta-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
string(CONCAT CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
    "The headers, the CMake package (find_package(korvasta) gives\n"
    "korvasta::korvasta) and the link library of the analysis engine of\n"
    "Orvandel, for programs built against it.")
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS library)
# The engine's headers use Eigen's sparse matrix; its CMake package finds it.
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS libeigen3-dev)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME orvandel)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION science)
string(CONCAT CPACK_COMPONENT_PROGRAM_DESCRIPTION
    "Orvandel draws a plane rigid frame, takes its materials, sections, supports\n"
    "and loads, and computes member end forces, node displacements and the\n"
    "internal-force diagrams.")
set(CPACK_COMPONENT_PROGRAM_DEPENDS library)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps looks for the engine library beside the program's staging
# folder, in the library's; the dependency on it is the component's.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ../library/usr/${CMAKE_INSTALL_LIBDIR})
# Beyond the libraries: the X11 and Wayland platform plugins of Qt, a font
# with Chinese glyphs, Qt's own Chinese texts (buttons, file dialogs); the
# desktop database and MIME cache are refreshed by their packages' triggers.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, shared-mime-info, desktop-file-utils")

# Every package's copyright and changelog, installed only into packages:
# `cmake --install` without a component leaves them out. Debian wants the
# changelog compressed with gzip -9n (no name, no time stamp).
set(debian_changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.Debian)
add_custom_command(
    OUTPUT ${debian_changelog}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/debian/changelog ${debian_changelog}
    COMMAND gzip -9nf ${debian_changelog}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog
    COMMENT "Compressing the Debian changelog"
    VERBATIM
)
add_custom_target(debian_changelog ALL DEPENDS ${debian_changelog}.gz)
foreach(component package IN ZIP_LISTS debian_components debian_packages)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${debian_changelog}.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()
include(CPack)
