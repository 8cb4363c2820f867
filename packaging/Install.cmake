# Desktop integration (start script, desktop entry, icons, AppStream data) and
# the Debian package. Included from the top-level CMakeLists.txt after app/.
include(GNUInstallDirs)

set(STAFFEL_APP_ID io.github.staffelplan.Staffelplan)
set(STAFFEL_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(STAFFEL_ICON_SIZES 16 32 48 64 128 256)

# The program reads and writes its data files in the working directory, so the
# menu starts it through this script, which changes into ~/Staffelplan first.
install(PROGRAMS ${STAFFEL_RESOURCES}/staffelplan DESTINATION ${CMAKE_INSTALL_BINDIR})
# The command-line companion beside the program.
install(TARGETS staffelplan-saison RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${STAFFEL_RESOURCES}/${STAFFEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${STAFFEL_RESOURCES}/${STAFFEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${STAFFEL_RESOURCES}/icons/${STAFFEL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS STAFFEL_ICON_SIZES)
  install(FILES ${STAFFEL_RESOURCES}/icons/png/${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${STAFFEL_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/staffelplan)

include(${CMAKE_CURRENT_LIST_DIR}/DebianPackage.cmake)

if(STAFFEL_BUILD_TESTS)
  add_test(NAME packaging_validate
           COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/validate.sh ${STAFFEL_RESOURCES})
  set_tests_properties(packaging_validate PROPERTIES SKIP_RETURN_CODE 77)
  add_test(NAME packaging_install
           COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/install.sh
                   ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
  add_test(NAME packaging_start_script
           COMMAND ${PROJECT_SOURCE_DIR}/tests/packaging/start_script.sh
                   ${STAFFEL_RESOURCES}/staffelplan)
endif()
