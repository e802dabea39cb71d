# Run by CTest (package_contents): makes the release package into a scratch
# folder with CPack, unpacks it, and checks that it is Pelorum-<VERSION>.zip
# holding one folder with exactly the ship folder's files, unchanged, and the
# read-me in code page 932 with CR LF line ends, ending with the version
# dialog's copyright line.
#     cmake -DBUILD_DIR=<build> -DVERSION=<x.y.z> -DCOPYRIGHT=<line> -P CheckPackage.cmake
set(scratch ${BUILD_DIR}/Testing/package_contents)
file(REMOVE_RECURSE ${scratch})
file(MAKE_DIRECTORY ${scratch}/unpacked)

execute_process(COMMAND ${CMAKE_CPACK_COMMAND} --config ${BUILD_DIR}/CPackConfig.cmake -B ${scratch}
                RESULT_VARIABLE made OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages RELATIVE ${scratch} ${scratch}/*.zip)
if(NOT packages STREQUAL "Pelorum-${VERSION}.zip")
  message(FATAL_ERROR "expected Pelorum-${VERSION}.zip, made: ${packages}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${scratch}/Pelorum-${VERSION}.zip
                WORKING_DIRECTORY ${scratch}/unpacked RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
  message(FATAL_ERROR "the package does not unpack")
endif()
set(root ${scratch}/unpacked/Pelorum-${VERSION})
file(GLOB_RECURSE found RELATIVE ${root} ${root}/*)
file(GLOB_RECURSE shipped RELATIVE ${BUILD_DIR}/ship ${BUILD_DIR}/ship/*)
set(expected ${shipped} README.txt)
list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "the package holds\n  ${found}\ninstead of\n  ${expected}")
endif()
foreach(name IN LISTS shipped)
  file(SHA256 ${root}/${name} packed)
  file(SHA256 ${BUILD_DIR}/ship/${name} original)
  if(NOT packed STREQUAL original)
    message(FATAL_ERROR "${name} in the package differs from the ship folder's")
  endif()
endforeach()

# Code page 932 with CR LF: a Japanese heading of the read-me ("■ これは何か")
# in Shift-JIS at the start of a line, and no line that ends in a bare LF.
file(READ ${root}/README.txt readme HEX)
if(NOT readme MATCHES "0d0a0d0a81a12082b182ea82cd89bd82a90d0a")
  message(FATAL_ERROR "README.txt does not hold the read-me's heading in code page 932")
endif()
string(REGEX REPLACE "(..)" "\\1;" bytes "${readme}")
set(previous "")
foreach(byte IN LISTS bytes)
  if(byte STREQUAL "0a" AND NOT previous STREQUAL "0d")
    message(FATAL_ERROR "README.txt has a line that ends in LF alone")
  endif()
  set(previous ${byte})
endforeach()
string(HEX "${COPYRIGHT}" copyright)
if(copyright STREQUAL "" OR NOT readme MATCHES "0d0a0d0a${copyright}0d0a$")
  message(FATAL_ERROR "README.txt does not end with the copyright line \"${COPYRIGHT}\"")
endif()
message(STATUS "Pelorum-${VERSION}.zip: ${found}")
