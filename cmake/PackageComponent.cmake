# package_component(TARGET NAME): TARGET ships in the package as NAME, in the 64-bit tree as NAME.x64,
# written to ${CMAKE_BINARY_DIR}/package-components and listed in PACKAGE_COMPONENTS.
function(package_component target name)
  string(REGEX MATCH "^[^.]+" stem ${name})
  string(REGEX REPLACE "^[^.]+" "" suffix ${name})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(APPEND suffix ".x64")
  endif()
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${stem}
    SUFFIX ${suffix}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/package-components
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  # Shipped without debug information: it would make the package several times larger.
  target_link_options(${target} PRIVATE -s)
  set_property(GLOBAL APPEND PROPERTY PACKAGE_COMPONENTS ${target})
endfunction()
