# The release package: Pelorum-<version>.zip, made by CPack (scripts/package),
# holding every file of the ship folder as it is at packaging time (so that a
# file another target puts there ships without a change here) and the
# Japanese read-me, README.txt.
find_program(PYTHON3_EXECUTABLE NAMES python3 REQUIRED)
set(SHIP_DIR ${CMAKE_BINARY_DIR}/ship)
set(PACKAGE_README ${CMAKE_BINARY_DIR}/package/README.txt)

# The read-me ends with the version dialog's copyright line (PRODUCT_COPYRIGHT
# of cmake/VersionResource.cmake).
configure_file(${PROJECT_SOURCE_DIR}/cmake/readme.ja.txt.in ${CMAKE_BINARY_DIR}/package/readme.utf8.txt @ONLY)
add_custom_command(
  OUTPUT ${PACKAGE_README}
  COMMAND ${PYTHON3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/windows_text.py
          ${CMAKE_BINARY_DIR}/package/readme.utf8.txt ${PACKAGE_README}
  DEPENDS ${CMAKE_BINARY_DIR}/package/readme.utf8.txt ${PROJECT_SOURCE_DIR}/tools/windows_text.py
  COMMENT "Writing the read-me in code page 932"
  VERBATIM)
add_custom_target(package_readme ALL DEPENDS ${PACKAGE_README})

install(DIRECTORY ${SHIP_DIR}/ DESTINATION .)
install(FILES ${PACKAGE_README} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Pelorum)
set(CPACK_PACKAGE_VERSION ${PELORUM_VERSION})
set(CPACK_PACKAGE_FILE_NAME Pelorum-${PELORUM_VERSION})
include(CPack)

# The package made into a scratch folder, unpacked, and its files compared
# with the ship folder's and the read-me; on the build host.
add_test(NAME package_contents
         COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DVERSION=${PELORUM_VERSION}
                 "-DCOPYRIGHT=${PRODUCT_COPYRIGHT}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckPackage.cmake)
set_tests_properties(package_contents PROPERTIES LABELS host)
