# Test programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#
# add_wine_gtest(NAME name SOURCES ... LIBRARIES ... [SERIAL] [PREFIX64])
# builds one GoogleTest program and registers one CTest test per test suite
# found in its sources (TEST, TEST_F, TEST_P), each run with a suite filter,
# so a failure names its suite and the suites of one program stay apart.
# PREFIX64 runs them in the 64-bit prefix (wine-run64), which reports them
# skipped where this machine cannot run 32-bit programs.
function(add_wine_gtest)
  cmake_parse_arguments(T "SERIAL;PREFIX64" "NAME;MAIN" "SOURCES;LIBRARIES;DEPENDS" ${ARGN})
  # Every test program carries the application manifest, so that it sees the
  # system's real version as the program does.
  add_executable(${T_NAME} ${T_SOURCES} ${PROJECT_SOURCE_DIR}/framework/core/application_manifest.rc)
  if(T_MAIN)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} gtest)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} gtest_main)
  endif()
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  if(T_PREFIX64)
    set_target_properties(${T_NAME} PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run64)
  endif()

  set(suites "")
  foreach(src IN LISTS T_SOURCES)
    get_filename_component(abs ${src} ABSOLUTE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${abs})
    file(STRINGS ${abs} lines REGEX "^[ \t]*TEST(_F|_P)?[ \t]*\\(")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*TEST(_F|_P)?[ \t]*\\([ \t]*([A-Za-z0-9_]+).*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES suites)
  foreach(suite IN LISTS suites)
    add_test(NAME ${T_NAME}.${suite}
             COMMAND ${T_NAME} --gtest_filter=${suite}.*:*/${suite}.*
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${T_NAME}.${suite} PROPERTIES TIMEOUT 120 LABELS wine)
    if(T_SERIAL)
      set_tests_properties(${T_NAME}.${suite} PROPERTIES RUN_SERIAL TRUE)
    endif()
    if(T_PREFIX64)
      set_tests_properties(${T_NAME}.${suite} PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK wineprefix64)
    endif()
  endforeach()
endfunction()
