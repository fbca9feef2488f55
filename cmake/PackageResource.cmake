# Packages built by the host mkpackage and carried by Windows programs.
set(MKPACKAGE_EXECUTABLE "" CACHE FILEPATH "host mkpackage (build/host/tools/mkpackage/mkpackage)")
if(NOT EXISTS "${MKPACKAGE_EXECUTABLE}")
  message(FATAL_ERROR "MKPACKAGE_EXECUTABLE must name the host mkpackage; build build/host first")
endif()

# add_package(OUTPUT FILES...): OUTPUT is a resource-form package of FILES (mkpackage arguments).
function(add_package output)
  set(inputs ${ARGN})
  list(TRANSFORM inputs REPLACE "^[^=]*=" "")
  add_custom_command(OUTPUT ${output}
    COMMAND ${MKPACKAGE_EXECUTABLE} create ${output} ${ARGN}
    DEPENDS ${inputs} ${MKPACKAGE_EXECUTABLE}
    VERBATIM)
endfunction()

# Compiles PACKAGE into TARGET as resource INSTALL / 142, language 2052.
function(embed_package target package)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_package.rc)
  file(WRITE ${rc} "LANGUAGE 4, 2\n142 INSTALL \"${package}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${package})
  target_sources(${target} PRIVATE ${rc})
endfunction()

# After each link, appends a package of FILES to TARGET's own file, as for the installer stub.
function(append_package target header)
  set(file $<TARGET_FILE:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${MKPACKAGE_EXECUTABLE} append ${file} ${file}.appended --header ${header} ${ARGN}
    COMMAND ${CMAKE_COMMAND} -E rename ${file}.appended ${file}
    VERBATIM)
endfunction()
