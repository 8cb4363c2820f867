# The user guide as HTML with its screenshots: built beside the program
# (build/docs/, where the help key finds it in the source tree) and installed
# to share/staffelplan/handbuch/. Needs libcmark (Debian: libcmark-dev).
find_package(PkgConfig REQUIRED)
pkg_check_modules(CMARK REQUIRED IMPORTED_TARGET libcmark)

add_executable(staffel_userguide_html ${PROJECT_SOURCE_DIR}/tools/userguide/UserGuideHtml.cpp)
target_link_libraries(staffel_userguide_html PRIVATE PkgConfig::CMARK)

set(STAFFEL_GUIDE_SOURCE ${PROJECT_SOURCE_DIR}/docs/Benutzerhandbuch.md)
set(STAFFEL_GUIDE_DIR ${CMAKE_BINARY_DIR}/docs)
set(STAFFEL_GUIDE_HTML ${STAFFEL_GUIDE_DIR}/Benutzerhandbuch.html)
file(GLOB STAFFEL_GUIDE_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
set(copied_pictures)
foreach(picture IN LISTS STAFFEL_GUIDE_PICTURES)
  get_filename_component(name ${picture} NAME)
  list(APPEND copied_pictures ${STAFFEL_GUIDE_DIR}/screenshots/${name})
endforeach()

add_custom_command(
  OUTPUT ${STAFFEL_GUIDE_HTML} ${copied_pictures}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${STAFFEL_GUIDE_DIR}/screenshots
  COMMAND staffel_userguide_html ${STAFFEL_GUIDE_SOURCE} ${STAFFEL_GUIDE_HTML}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${STAFFEL_GUIDE_PICTURES} ${STAFFEL_GUIDE_DIR}/screenshots/
  DEPENDS staffel_userguide_html ${STAFFEL_GUIDE_SOURCE} ${STAFFEL_GUIDE_PICTURES}
  COMMENT "User guide as HTML"
  VERBATIM)
add_custom_target(staffel_user_guide ALL DEPENDS ${STAFFEL_GUIDE_HTML} ${copied_pictures})
add_dependencies(Staffelplan staffel_user_guide)

install(FILES ${STAFFEL_GUIDE_HTML} DESTINATION ${CMAKE_INSTALL_DATADIR}/staffelplan/handbuch)
install(FILES ${copied_pictures} DESTINATION ${CMAKE_INSTALL_DATADIR}/staffelplan/handbuch/screenshots)
