# SPDX-License-Identifier: MIT
# The Debian package: cpack -G DEB in the release build directory gives
# torvelin_<version>_<arch>.deb with both programs, their manual pages, the
# copyright file and changelog, the desktop entry, the icons and the metainfo.
set(CPACK_PACKAGE_NAME torvelin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Torvelin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for periods counted in days")
# One string, not a list: CPack lays it out as Debian Policy wants, each line
# indented by one space after the summary.
set(CPACK_PACKAGE_DESCRIPTION "\
Torvelin computes the last day of a period counted in days, the start day
counted as day one, as deadlines in Japanese legal work are counted. Start
dates may be written in the Western or the Japanese calendar, in ASCII or
full-width characters.

The package holds a one-window desktop program in Japanese, torvelin, and the
command-line tool torvelin-calc for scripts and spreadsheets; both give the
same answers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian_strip.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TORVELIN_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries, the print service's among them (through Qt's print support),
# come from the binaries. The window falls back to the system's sans-serif
# font and to Qt's English texts, so the Japanese fonts and translations it
# prefers are recommended, not required.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")

include(CPack)
