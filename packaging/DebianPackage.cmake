# CPack settings for the Debian package: tools/package.sh runs `cpack -G DEB`.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME staffelplan)
set(CPACK_PACKAGE_VENDOR "Staffelplan-Projekt")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Staffelplan-Projekt <staffelplan@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "planner for the divisions of a team-badminton league")
set(CPACK_PACKAGE_DESCRIPTION
    "Staffelplan keeps the divisions (Staffeln) of a team-badminton league season\n"
    "with their teams and match-day calendars and prints a division's fixture list\n"
    "on A4. The program's windows are German.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${STAFFEL_BUILD_NUMBER})
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Building needs libcmark-dev (the user guide's HTML, packaging/UserGuide.cmake);
# the package carries that HTML, so running needs no Markdown library.
# Qt loads its platform plugins and finds the Arial substitute at run time, so
# dpkg-shlibdeps cannot see those; it adds the C and C++ runtime. libical3
# reads the school holidays' iCalendar files.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), qt6-qpa-plugins (>= 6.4), fonts-liberation2, libical3 (>= 3.0)")
# Building needs libical-dev beside Qt's development files; tools/install-deps.sh
# installs both.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, printer-driver-cups-pdf")

include(CPack)
