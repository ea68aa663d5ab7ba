# The Debian package: cpack -G DEB in a release build directory gives
# torvelin_1.00_<arch>.deb with both programs, the desktop entry, the icons and
# the metainfo.
set(CPACK_PACKAGE_NAME torvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Torvelin")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Day-count calculator for periods counted in days")
set(CPACK_PACKAGE_DESCRIPTION
    "Torvelin computes the last day of a period counted in days, the start day\n"
    "counted as day one, as deadlines in Japanese legal work are counted. It has a\n"
    "one-window desktop program in Japanese and the command-line tool torvelin-calc\n"
    "for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Torvelin developers")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the binaries; the font is what the window asks for,
# and the print service's library is loaded only when printing.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, libcups2")

include(CPack)
