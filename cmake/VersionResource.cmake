# The product's version, and add_version_resource(<target> <description>): the
# target's file carries a version resource made from cmake/version.rc.in, with
# the product name, version text and copyright line of the version dialog
# (the AppInfo definition in indicator/app_main.cpp), PELORUM_VERSION as file
# and product version, the file's own name and the description (UTF-8).
# Included by the 32-bit project and its 64-bit sub-build.
#
#     add_version_resource(Indicator "キーボードのロック状態を通知領域に表示するプログラム")
set(PELORUM_VERSION 1.0.0)
string(REPLACE "." ";" PELORUM_VERSION_PARTS ${PELORUM_VERSION})
list(GET PELORUM_VERSION_PARTS 0 PELORUM_VERSION_MAJOR)
list(GET PELORUM_VERSION_PARTS 1 PELORUM_VERSION_MINOR)
list(GET PELORUM_VERSION_PARTS 2 PELORUM_VERSION_PATCH)
set(VERSION_RESOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

# AppInfo's texts in order: build date and time, product name, version text,
# copyright line, home page, mail address.
set(app_main ${VERSION_RESOURCE_ROOT}/indicator/app_main.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${app_main})
file(READ ${app_main} app_main_text)
string(REGEX MATCH "TAppInfo[ \t\r\n]+AppInfo[ \t\r\n]*\(([^;]*)\);" app_info "${app_main_text}")
string(REGEX MATCHALL "\"[^\"]*\"" app_info_texts "${CMAKE_MATCH_1}")
list(LENGTH app_info_texts app_info_count)
if(NOT app_info_count EQUAL 7)
  message(FATAL_ERROR "AppInfo in ${app_main} has ${app_info_count} texts, not 7")
endif()
# ZIP_LISTS takes the names of list variables, not lists.
set(app_info_indexes 2 3 4)
set(app_info_names PRODUCT_NAME PRODUCT_VERSION_TEXT PRODUCT_COPYRIGHT)
foreach(index name IN ZIP_LISTS app_info_indexes app_info_names)
  list(GET app_info_texts ${index} text)
  string(REGEX REPLACE "^\"(.*)\"$" "\\1" ${name} "${text}")
  if("${${name}}" STREQUAL "")
    message(FATAL_ERROR "AppInfo in ${app_main}: text ${index} (${name}) is empty")
  endif()
endforeach()

function(add_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(VERSION_FILE_TYPE VFT_APP)
  else()
    set(VERSION_FILE_TYPE VFT_DLL)
  endif()
  set(VERSION_DESCRIPTION "${description}")
  # The file name is known at generation time only: the script is configured
  # first, then its generator expressions are resolved.
  set(VERSION_FILE_NAME "$<TARGET_FILE_NAME:${target}>")
  set(VERSION_INTERNAL_NAME "$<TARGET_FILE_BASE_NAME:${target}>")
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc.in)
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${VERSION_RESOURCE_ROOT}/cmake/version.rc.in ${configured} @ONLY)
  file(GENERATE OUTPUT ${script} INPUT ${configured})
  target_sources(${target} PRIVATE ${script})
endfunction()
