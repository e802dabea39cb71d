# GoogleTest built with the cross compiler from the sources that Debian's
# googletest package installs under /usr/src/googletest.
set(GTEST_SOURCE_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")

if(NOT EXISTS ${GTEST_SOURCE_DIR}/src/gtest-all.cc)
  message(FATAL_ERROR "GoogleTest sources not found in ${GTEST_SOURCE_DIR}; run scripts/setup")
endif()

add_library(gtest STATIC ${GTEST_SOURCE_DIR}/src/gtest-all.cc)
target_include_directories(gtest SYSTEM PUBLIC ${GTEST_SOURCE_DIR}/include
                                        PRIVATE ${GTEST_SOURCE_DIR})
# The framework's texts are Shift-JIS; GoogleTest's own sources are plain ASCII
# and keep the default character sets.
target_compile_options(gtest PRIVATE -w)
# The win32 thread model's runtime has no std::mutex (before GCC 13); the one
# class that uses it comes from a header of ours, in every unit that sees
# GoogleTest's own.
target_compile_options(gtest PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/GoogleTestWin32Notification.h)

add_library(gtest_main STATIC ${GTEST_SOURCE_DIR}/src/gtest_main.cc)
target_link_libraries(gtest_main PUBLIC gtest)
