# The Debian package: cpack -G DEB in a build configured with CMAKE_INSTALL_PREFIX=/usr
# (scripts/check-package builds, installs and starts it).
set(CPACK_PACKAGE_NAME vantoro)
set(CPACK_PACKAGE_VENDOR "Vantoro")
set(CPACK_PACKAGE_CONTACT "Vantoro maintainers <maintainers@users.noreply.c-seed-a7916326.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop calculator for durations in hours, minutes and seconds")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantoro adds, subtracts, multiplies and divides times keyed in as hours, minutes and seconds or as plain seconds, and shows the result on a calculator-style display. It keeps a history of earlier calculations and converts between hours, minutes and seconds and plain seconds.\nThe package also contains vantoro-calc, the same calculator for shells and scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VANTORO_WEB_URL}")
# Library dependencies come from dpkg-shlibdeps. What it cannot see: Qt's platform plugins
# (libqt6gui6 only recommends them, and without one no window opens) and the fonts that the
# key legends and the Japanese messages are drawn in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, fonts-liberation2")

include(CPack)
