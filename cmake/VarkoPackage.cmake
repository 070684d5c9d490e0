# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package, built by CPack from the install rules: `make package`.
set(VARKO_MAINTAINER "Norwen <${VARKO_MAIL}>" CACHE STRING "The package's maintainer, as \"Name <address>\"")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME varko2000)
set(CPACK_PACKAGE_VENDOR Norwen)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VARKO_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VARKO_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pack files into a numbered release set of zips")
set(CPACK_PACKAGE_DESCRIPTION "Varko 2000 packs a chosen set of files into a release set. Files and folders
go into a queue; each one goes into the archive, into every zip or into the
first zip only. Pack It writes one multi-volume RAR or ACE archive with the
program's own archivers, then puts every volume into a zip of its own with a
numbered file_id.diz, an optional SFV file and PAR2 recovery files.
.
Rip scripts keep a queue and its settings for the next release. Sets are
packed and tested from the command line too, without a window.")
# The libraries it links are found by dpkg-shlibdeps; Qt loads the SVG icon
# engine as a plug-in, which no link line shows.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
# Opening a file, the web page or the mail client goes through xdg-open where no portal answers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
include(CPack)

# Debian wants the licence in its own format and the release in a changelog,
# compressed reproducibly, in the package's documentation folder.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/varko2000)
install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${doc_dir})
execute_process(COMMAND date -u -R -d ${VARKO_RELEASE_DATE} OUTPUT_VARIABLE VARKO_RELEASE_STAMP
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/data/changelog.in ${CMAKE_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/package/changelog.gz
  COMMAND gzip -n -9 -f -k ${CMAKE_BINARY_DIR}/package/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/package/changelog VERBATIM)
add_custom_target(varko_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/package/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/package/changelog.gz DESTINATION ${doc_dir})
