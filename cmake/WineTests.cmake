# Test programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
#
# add_wine_gtest(NAME name SOURCES ... LIBRARIES ... [SERIAL] [PREFIXES prefix...])
# builds one GoogleTest program and registers one CTest test per test suite
# found in its sources (TEST, TEST_F, TEST_P), each run with a suite filter,
# so a failure names its suite and the suites of one program stay apart.
# PREFIXES runs them in the tests' other prefixes that it names instead of the
# build's own (wine-run --prefix; a prefix this machine cannot have reports
# them skipped), one test per suite and prefix, named name.prefix.suite when
# there are several; the tests of one prefix never run at the same time.
function(add_wine_gtest)
  cmake_parse_arguments(T "SERIAL" "NAME;MAIN" "SOURCES;LIBRARIES;DEPENDS;PREFIXES" ${ARGN})
  # Every test program carries the application manifest, so that it sees the
  # system's real version and the display's real DPI as the program does.
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
  list(LENGTH T_PREFIXES prefix_count)
  foreach(suite IN LISTS suites)
    set(filter --gtest_filter=${suite}.*:*/${suite}.*)
    set(tests "")
    if(prefix_count EQUAL 0)
      add_test(NAME ${T_NAME}.${suite} COMMAND ${T_NAME} ${filter} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      list(APPEND tests ${T_NAME}.${suite})
    endif()
    foreach(prefix IN LISTS T_PREFIXES)
      if(prefix_count EQUAL 1)
        set(test ${T_NAME}.${suite})
      else()
        set(test ${T_NAME}.${prefix}.${suite})
      endif()
      add_test(NAME ${test} COMMAND ${CMAKE_BINARY_DIR}/wine-run --prefix ${prefix} $<TARGET_FILE:${T_NAME}> ${filter}
               WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      set_tests_properties(${test} PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK ${prefix})
      list(APPEND tests ${test})
    endforeach()
    set_tests_properties(${tests} PROPERTIES TIMEOUT 120 LABELS wine)
    if(T_SERIAL)
      set_tests_properties(${tests} PROPERTIES RUN_SERIAL TRUE)
    endif()
  endforeach()
endfunction()
