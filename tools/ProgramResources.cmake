# The program's pictures: tools/make_icons.py draws every icon and the poster
# bitmap at build time and writes the resource script that holds them.
#
# Defines the object library `program_resources` (the compiled resource script)
# once; a program or test links it to carry the icons in its own module. The
# same icons with every image a bitmap are `program_reference_icons`, for the
# tests that compare the two.
if(NOT TARGET program_resources)
  find_program(PYTHON3_EXECUTABLE NAMES python3 REQUIRED)
  set(PROGRAM_RESOURCES_DIR ${CMAKE_BINARY_DIR}/resources)
  set(PROGRAM_RESOURCE_NAMES ${PROJECT_SOURCE_DIR}/framework/util/resource_names.h)
  add_custom_command(
    OUTPUT ${PROGRAM_RESOURCES_DIR}/resources.rc ${PROGRAM_RESOURCES_DIR}/reference.rc
           ${PROGRAM_RESOURCES_DIR}/indicator_icons.png
    COMMAND ${PYTHON3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_icons.py
            ${PROGRAM_RESOURCE_NAMES} ${PROGRAM_RESOURCES_DIR}
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_icons.py ${PROGRAM_RESOURCE_NAMES}
    COMMENT "Drawing the program's icons"
    VERBATIM)
  add_library(program_resources OBJECT ${PROGRAM_RESOURCES_DIR}/resources.rc)
  set_source_files_properties(${PROGRAM_RESOURCES_DIR}/resources.rc PROPERTIES
                              OBJECT_DEPENDS ${PROGRAM_RESOURCE_NAMES})
  add_library(program_reference_icons OBJECT EXCLUDE_FROM_ALL ${PROGRAM_RESOURCES_DIR}/reference.rc)
endif()
