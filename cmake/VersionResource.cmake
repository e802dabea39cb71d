# add_version_resource(<target> <description>): the target's file carries a
# version resource, made from cmake/version.rc.in: the product name, version
# and copyright of indicator/product_info.h, the project's version as file and
# product version, the file's own name and the description (UTF-8).
#
#     add_version_resource(Indicator "キーボードのロック状態を通知領域に表示")
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
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${configured} @ONLY)
  file(GENERATE OUTPUT ${script} INPUT ${configured})
  target_sources(${target} PRIVATE ${script})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()
