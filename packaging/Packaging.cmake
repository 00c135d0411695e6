# Installation and the Debian package: the programs in bin, the readme under share/vq (where the
# installed window looks for it), the desktop entry with the MIME type of .twl files, the icon,
# the manual pages, the copyright and the changelog. `cpack -G DEB` in the build folder makes the
# package; scripts/package.sh builds it with Debian's flags and checks it.
set(_pkg ${CMAKE_SOURCE_DIR}/packaging)
set(_out ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_out})

# Manual pages and the changelog are compressed as Debian wants them: gzip -9n (no name, no time).
function(vq_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9n -c ${source} > ${target}
    DEPENDS ${source} VERBATIM)
endfunction()
configure_file(${_pkg}/vq.1.in ${_out}/vq.1 @ONLY)
vq_gzip(${_out}/vq.1 ${_out}/vq.1.gz)
vq_gzip(${_pkg}/changelog ${_out}/changelog.gz)
set(_docs ${_out}/vq.1.gz ${_out}/changelog.gz)
# vqtool's page is made from its own --help and --version, so it lists the options it has.
find_program(VQ_HELP2MAN help2man)
if(VQ_HELP2MAN AND NOT VQ_SANITIZE)
  add_custom_command(OUTPUT ${_out}/vqtool.1.gz
    COMMAND ${VQ_HELP2MAN} --no-info --section=1 --include=${_pkg}/vqtool.h2m
            "--name=cache point lists and Garmin GPS transfers on the command line"
            --output=${_out}/vqtool.1 $<TARGET_FILE:vqtool>
    COMMAND gzip -9nf ${_out}/vqtool.1
    DEPENDS vqtool ${_pkg}/vqtool.h2m VERBATIM)
  list(APPEND _docs ${_out}/vqtool.1.gz)
  install(FILES ${_out}/vqtool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(STATUS "help2man not found: vqtool's manual page is not made")
endif()
add_custom_target(vq_docs ALL DEPENDS ${_docs})

install(FILES ${_out}/vq.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_out}/changelog.gz ${_pkg}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vq)
install(FILES ${_pkg}/vq.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_pkg}/vq.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${_pkg}/vq.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vq)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# A placeholder until the project has an address of its own (README, Installing).
set(CPACK_PACKAGE_CONTACT "VQ maintainers <vq-maintainers@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cache point lists in the Israeli grid, with Garmin GPS transfers")
# CPack puts the summary first, then this long description.
file(READ ${_pkg}/description.txt CPACK_DEBIAN_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Data packages the shared-library scan cannot see: PROJ's database (proj.db), and Qt's Hebrew
# texts (OK, Cancel, the file dialogs).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "proj-data, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
