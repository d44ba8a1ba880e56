# What `cmake --install` puts where, and the Debian package built from it.
# Included from the top CMakeLists.txt after the targets exist.

set(AMPORA_DOCS_URL "" CACHE STRING
  "Where the README's screenshots (docs/*.png) are published; when set, the AppStream metadata lists them")
# The earlier default was no real address; a build folder may still hold it.
if(AMPORA_DOCS_URL STREQUAL "https://ampora.local/docs")
  set_property(CACHE AMPORA_DOCS_URL PROPERTY VALUE "")
endif()
# Debian wants a maintainer address with a real mail host; set the project's own.
set(AMPORA_MAINTAINER "Ampora developers <dev@ampora.example>" CACHE STRING
  "Maintainer of the Debian package, \"Name <address>\"")
set(AMPORA_PKG ${CMAKE_SOURCE_DIR}/packaging)
set(AMPORA_GEN ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS ampora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ampora-window RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/ampora)
install(FILES ${CMAKE_BINARY_DIR}/Menu.cds ${HELP_OUTPUTS}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/ampora)

install(FILES ${AMPORA_PKG}/${AMPORA_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Screenshots only where they really are: a software centre shows the metadata
# as it stands.
set(AMPORA_SCREENSHOTS "")
if(AMPORA_DOCS_URL)
  configure_file(${AMPORA_PKG}/metainfo-screenshots.xml.in ${AMPORA_GEN}/metainfo-screenshots.xml @ONLY)
  file(READ ${AMPORA_GEN}/metainfo-screenshots.xml AMPORA_SCREENSHOTS)
endif()
configure_file(${AMPORA_PKG}/${AMPORA_APP_ID}.metainfo.xml.in
  ${AMPORA_GEN}/${AMPORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${AMPORA_GEN}/${AMPORA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The design files' type; dpkg's trigger of shared-mime-info rebuilds the
# database when the package puts this in place.
install(FILES ${AMPORA_PKG}/${AMPORA_APP_ID}.mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${AMPORA_APP_ID}.xml)
install(FILES ${AMPORA_PKG}/icons/${AMPORA_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${AMPORA_PKG}/icons/${size}x${size}/${AMPORA_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual and changelog go compressed without a time stamp, as Debian wants.
configure_file(${AMPORA_PKG}/debian/changelog.in ${AMPORA_GEN}/changelog @ONLY)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(AMPORA_GZ)
foreach(pair "${AMPORA_PKG}/ampora.1|ampora.1.gz" "${AMPORA_GEN}/changelog|changelog.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  add_custom_command(OUTPUT ${AMPORA_GEN}/${to}
    COMMAND ${GZIP_EXECUTABLE} -9nc ${from} > ${AMPORA_GEN}/${to}
    DEPENDS ${from})
  list(APPEND AMPORA_GZ ${AMPORA_GEN}/${to})
endforeach()
add_custom_target(ampora_packaging_files ALL DEPENDS ${AMPORA_GZ})
install(FILES ${AMPORA_GEN}/ampora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${AMPORA_GEN}/changelog.gz ${AMPORA_PKG}/debian/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ampora)

# The Debian package: `make package` (cpack -G DEB in the build folder).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ampora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ampora developers")
set(CPACK_PACKAGE_CONTACT "${AMPORA_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "power load of loudspeaker drivers")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A calculator for designers of two- and three-way loudspeakers. Given a
programme spectrum, a passive crossover (Bessel, Butterworth or Linkwitz
filters), the amplifier power and each driver's sensitivity and impedance,
Ampora shows the power each driver really receives, the L-pad resistors
that level the midrange and tweeter with the bass, the sound pressure level
at 1 m and the boost of a Linkwitz bass equaliser. The interface speaks
Russian, English and Belarusian.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from the executable itself (dpkg-shlibdeps); the
# font the fixed layout is measured with is not a library, so it is named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
