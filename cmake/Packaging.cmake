# Packages of the installed program: a Debian package on Linux (`cpack` or the `package`
# target in the build folder), a ZIP archive elsewhere. Version and name come from project().

set(CPACK_PACKAGE_NAME "warp-rechner")
set(CPACK_PACKAGE_VENDOR "Warp-Rechner")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calculator for speed and travel time at warp")
set(CPACK_PACKAGE_DESCRIPTION [[
A small desktop calculator with German texts. It takes a warp factor and
a distance in light years and shows the speed as a multiple of the speed
of light and the travel time in years, days, hours, minutes and seconds.]])
set(CPACK_PACKAGE_CONTACT "Warp-Rechner <warp-rechner@example.org>")
# Shipped programs carry no debugging information; the build keeps it.
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR "ZIP")
elseif(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # warp-rechner_<version>_<architecture>.deb
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
  set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${WARP_HOMEPAGE}")
  # The libraries the program links (Qt, the C++ run-time) are found by dpkg-shlibdeps; the
  # face that stands in for the window's font is loaded at run time, so it is named here.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
else()
  set(CPACK_GENERATOR "TGZ")
endif()

include(CPack)
