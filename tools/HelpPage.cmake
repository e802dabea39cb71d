# The help pages beside the program: tools/make_help_page.py fills the pages'
# sources (indicator/help_page.html.in in Japanese, help_page.en.html.in in
# English) with the program's version values and the pictures of the tray
# icons, drawn by the icon generator, and writes the pages, named after the
# program with ".html" and ".en.html", and their pictures next to the built
# program and into the ship folder.
#
# Defines the target `help_page` and HELP_PAGE_FILES (every file written).
find_program(PYTHON3_EXECUTABLE NAMES python3 REQUIRED)
set(HELP_PAGE_NAME Indicator)
set(HELP_PAGE_SOURCES ${PROJECT_SOURCE_DIR}/indicator/help_page.html.in
                      ${PROJECT_SOURCE_DIR}/indicator/help_page.en.html.in)
set(HELP_PAGE_DIRS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_BINARY_DIR}/ship)
set(HELP_PAGE_FILES "")
foreach(dir IN LISTS HELP_PAGE_DIRS)
  list(APPEND HELP_PAGE_FILES ${dir}/${HELP_PAGE_NAME}.html ${dir}/${HELP_PAGE_NAME}.en.html)
  foreach(set a b)
    foreach(index RANGE 7)
      list(APPEND HELP_PAGE_FILES ${dir}/${HELP_PAGE_NAME}_files/indicator_${set}${index}.png)
    endforeach()
  endforeach()
endforeach()
add_custom_command(
  OUTPUT ${HELP_PAGE_FILES}
  COMMAND ${PYTHON3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_help_page.py
          ${HELP_PAGE_SOURCES} ${PROJECT_SOURCE_DIR}/indicator/app_main.cpp ${HELP_PAGE_NAME} ${HELP_PAGE_DIRS}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_help_page.py ${PROJECT_SOURCE_DIR}/tools/make_icons.py
          ${HELP_PAGE_SOURCES} ${PROJECT_SOURCE_DIR}/indicator/app_main.cpp
  COMMENT "Writing the help pages"
  VERBATIM)
add_custom_target(help_page ALL DEPENDS ${HELP_PAGE_FILES})

# Each page as it ships: well-formed, naming every menu command and every help
# topic, linking only pictures that ship with it. Checked on the build host.
foreach(test help_page:html help_page_en:en.html)
  string(REPLACE ":" ";" test ${test})
  list(GET test 0 name)
  list(GET test 1 ending)
  add_test(NAME ${name}
           COMMAND ${PYTHON3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/indicator/help_page_check.py ${PROJECT_SOURCE_DIR}
                   ${CMAKE_BINARY_DIR}/ship/${HELP_PAGE_NAME}.${ending})
  set_tests_properties(${name} PROPERTIES LABELS host)
endforeach()
