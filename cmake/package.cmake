# The Debian package: `cpack -G DEB` (scripts/package.sh) gives korvant_<version>_<arch>.deb with
# the libraries' packages found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Korvant developers <korvant@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn-based economic and war strategy game")
set(CPACK_PACKAGE_DESCRIPTION "On a generated map of 2 to 20 states, each ruler sows and sells grain, \
trains scientists and soldiers, researches six sciences and hires generals who fight battles that move \
the borders cell by cell. One to twenty persons play against the computer, by turns on one computer or \
over the local network.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link shows: the music's General MIDI sound font and the windows' font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-dejavu-core")
include(CPack)
