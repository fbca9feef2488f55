# package_component(TARGET NAME DESCRIPTION): TARGET ships in the package as NAME, in the 64-bit
# tree as NAME.x64, written to ${CMAKE_BINARY_DIR}/package-components and listed in
# PACKAGE_COMPONENTS; DESCRIPTION goes into its version resource. Extra arguments go to
# ship_program (RESOURCES_ONLY).
include(${CMAKE_CURRENT_LIST_DIR}/ShippedProgram.cmake)

# What the 64-bit tree appends to a component's file name; the tests look the files up with it.
set(PACKAGE_COMPONENT_SUFFIX "")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(PACKAGE_COMPONENT_SUFFIX ".x64")
endif()

function(package_component target name description)
  string(REGEX MATCH "^[^.]+" stem ${name})
  string(REGEX REPLACE "^[^.]+" "" suffix ${name})
  string(APPEND suffix "${PACKAGE_COMPONENT_SUFFIX}")
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${stem}
    SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/package-components
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  # Installed under the plain name in either bitness.
  ship_program(${target} FILE_NAME ${name} DESCRIPTION ${description} ${ARGN})
  set_property(GLOBAL APPEND PROPERTY PACKAGE_COMPONENTS ${target})
endfunction()

# add_component_dll(TARGET NAME DESCRIPTION SOURCES... [LIBRARIES...]): a DLL the package carries,
# its entry points exported under their plain names (--kill-at drops the @N of stdcall).
function(add_component_dll target name description)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${target} PRIVATE -Wl,--kill-at)
  package_component(${target} ${name} ${description})
endfunction()
