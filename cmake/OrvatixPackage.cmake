# The Debian package: `cpack -G DEB` in the build folder (or with --config
# build/CPackConfig.cmake) packs everything the install rules name: the
# program, the simulated box, the manuals, the desktop entry and the icon, and
# whatever program is given an install rule later.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME orvatix)
set(CPACK_PACKAGE_VENDOR "ORVATIX")
set(CPACK_PACKAGE_CONTACT "ORVATIX developers <developers@orvatix.org>")
# Debian shows the summary after the name and each line of the description
# as it is: both stay under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "setup and diagnosis of the ORVA Box angle-measuring system")
set(CPACK_PACKAGE_DESCRIPTION
  "ORVATIX shows the position, speed, signal amplitudes and error flags of the
magnetic angle-measuring system of KAVO/KAVOS rotary-table bearings over
RS-232, keeps a status list, measures interference, records a turn with its
report and leads through the teach-in of the ORVA Box.
The package also holds orvatix-monitor, the box's positions and status on
the command line (text, JSON, CSV), and orvatix-box-sim, a simulated ORVA Box
on a pseudo-terminal that also replays serial traces.")
# The package carries the version the program itself shows (--version).
set(ORVATIX_PACKAGE_VERSION ${PROJECT_VERSION})
file(STRINGS ${PROJECT_SOURCE_DIR}/src/app/ProgramVersion.h version_line
  REGEX "kProgramVersion = \"")
if(version_line MATCHES "\"([0-9][^\"]*)\"")
  set(ORVATIX_PACKAGE_VERSION ${CMAKE_MATCH_1})
endif()
set(CPACK_PACKAGE_VERSION ${ORVATIX_PACKAGE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries and the rest come from what the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by the above: the platform plug-ins that open a
# window, and the font that stands in for "Arial".
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(${CMAKE_CURRENT_LIST_DIR}/OrvatixPackageDocs.cmake)
include(CPack)
