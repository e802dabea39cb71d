# The release package: Pelorum-<version>.zip, made by CPack (scripts/package),
# holding every file of the ship folder as it is at packaging time (so that a
# file another target puts there ships without a change here) and the
# read-mes: README.txt in Japanese (code page 932) and README.en.txt in
# English (ASCII), both with CR LF line ends.
find_program(PYTHON3_EXECUTABLE NAMES python3 REQUIRED)
set(SHIP_DIR ${CMAKE_BINARY_DIR}/ship)
set(PACKAGE_READMES "")

# Each read-me ends with the version dialog's copyright line (PRODUCT_COPYRIGHT
# of cmake/VersionResource.cmake).
foreach(readme ja:README.txt en:README.en.txt)
  string(REPLACE ":" ";" readme ${readme})
  list(GET readme 0 language)
  list(GET readme 1 name)
  set(utf8 ${CMAKE_BINARY_DIR}/package/readme.${language}.utf8.txt)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/readme.${language}.txt.in ${utf8} @ONLY)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/package/${name}
    COMMAND ${PYTHON3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/windows_text.py ${utf8} ${CMAKE_BINARY_DIR}/package/${name}
    DEPENDS ${utf8} ${PROJECT_SOURCE_DIR}/tools/windows_text.py
    COMMENT "Writing ${name} in code page 932"
    VERBATIM)
  list(APPEND PACKAGE_READMES ${CMAKE_BINARY_DIR}/package/${name})
endforeach()
add_custom_target(package_readme ALL DEPENDS ${PACKAGE_READMES})

install(DIRECTORY ${SHIP_DIR}/ DESTINATION .)
install(FILES ${PACKAGE_READMES} DESTINATION .)

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
