# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages: cpack -G DEB in a build configured with CMAKE_INSTALL_PREFIX=/usr and
# the flags of dpkg-buildflags (scripts/check-package builds, checks with lintian, installs
# and starts them). Two packages from one build:
#   vantoro       the desktop calculator (component gui)
#   vantoro-calc  the calculator for shells and scripts, QtCore only (component calc), so that
#                 scripts and servers can have it without widgets and fonts
set(CPACK_PACKAGE_NAME vantoro)
set(CPACK_PACKAGE_VENDOR "Vantoro developers")
# The project's own address, as the About window gives it.
set(CPACK_PACKAGE_CONTACT "Vantoro developers <vantoro@vantoro.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL gui calc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE vantoro)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vantoro.github.io")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Library dependencies come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_GUI_PACKAGE_NAME vantoro)
set(CPACK_DEBIAN_GUI_DESCRIPTION
    "desktop calculator for durations in hours, minutes and seconds
Vantoro adds, subtracts, multiplies and divides times keyed in as hours,
minutes and seconds or as plain seconds, and shows the result on a
calculator-style display. It converts between hours, minutes and seconds
and plain seconds, and keeps a history of earlier calculations that can be
recalled with a double-click.
.
The whole calculator can be driven from the numeric keypad.")
# What dpkg-shlibdeps cannot see: Qt's platform plugins (libqt6gui6 only recommends them, and
# without one no window opens), the fonts the key legends and the Japanese messages are drawn
# in (either Japanese family the program substitutes), and Qt's own translations, whose
# Japanese file gives the message boxes' buttons their Japanese words. The shell calculator
# is only recommended: the window does not need it.
set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk, fonts-liberation2, qt6-translations-l10n")
set(CPACK_DEBIAN_GUI_PACKAGE_RECOMMENDS "vantoro-calc (= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_CALC_PACKAGE_NAME vantoro-calc)
set(CPACK_DEBIAN_CALC_PACKAGE_SECTION math)
set(CPACK_DEBIAN_CALC_DESCRIPTION
    "duration calculator for shells and scripts
vantoro-calc runs a script of key presses through the calculator of Vantoro
and prints its display: times in hours, minutes and seconds or in plain
seconds, added, subtracted, multiplied and divided exactly as the desktop
calculator does. It needs no window system.")

# The machine-readable copyright file and the changelog of each package.
foreach(component gui calc)
  if(component STREQUAL gui)
    set(package vantoro)
  else()
    set(package vantoro-calc)
  endif()
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component})
  install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package}
          COMPONENT ${component})
endforeach()
find_program(GZIP_PROGRAM gzip REQUIRED)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/debian
  COMMAND ${GZIP_PROGRAM} -9n -c ${CMAKE_CURRENT_LIST_DIR}/debian/changelog > ${PROJECT_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/debian/changelog
  COMMENT "Compressing the Debian changelog")
add_custom_target(vantoro-changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)

include(CPack)
