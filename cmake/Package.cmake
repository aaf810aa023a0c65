# The Debian package of both games (make package, or cpack -G DEB in the build folder).
# It holds what cmake/Install.cmake installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZEM_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zem Arcade")
set(CPACK_PACKAGE_CONTACT "Zem Arcade developers <zem-arcade@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two small arcade games: a brick breaker and a paddle duel")
# Debian shows the description as it stands (packaging/description): lines under 80
# columns, a blank line between paragraphs.
file(READ ${ZEM_PACKAGING_DIR}/description CPACK_PACKAGE_DESCRIPTION)
string(STRIP "${CPACK_PACKAGE_DESCRIPTION}" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_HOMEPAGE_URL ${ZEM_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the programs themselves; the fonts are linked, not copied.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-open-sans")

include(CPack)
