# cmake --install: the program in bin/, its manual page in share/man/man1/.
# cpack -G DEB: a Debian package of the same, depending on the SDL2 runtime.
include(GNUInstallDirs)
install(TARGETS trelune RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/trelune.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trelune)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "measures a tracked object's position on every photo of a numbered series")
set(CPACK_PACKAGE_DESCRIPTION
  "Trelune shows each photo of a numbered series in a window, lets the operator select the \
object's pixels by similar colour or by mouse rectangles, prints their centre in photo pixels \
and appends it to result files, then moves to the next photo.")
set(CPACK_PACKAGE_CONTACT "Trelune developers <trelune@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The SDL2 runtime packages are named outright; the C and C++ runtimes are
# added from the binary by dpkg-shlibdeps where it is installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, libsdl2-image-2.0-0, libsdl2-ttf-2.0-0, fonts-dejavu-core, libexif12")
find_program(TRELUNE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TRELUNE_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)
