# Windows test programs run by ctest under Wine, each in a fresh prefix copied from a template.
set(WINE_PREFIX_TEMPLATES ${CMAKE_SOURCE_DIR}/build/prefixes CACHE PATH "Wine prefix templates")
set(RUN_IN_PREFIX ${CMAKE_SOURCE_DIR}/tests/support/run-in-prefix.sh)

if(NOT TARGET gtest)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# add_wine_test(NAME PREFIXES win32 [win64] SOURCES ... LIBRARIES ...)
# registers NAME.win32 / NAME.win64: the same program on the 32-bit and the 64-bit (WOW64) Windows.
function(add_wine_test name)
  cmake_parse_arguments(ARG "" "" "PREFIXES;SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} gtest gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  foreach(prefix IN LISTS ARG_PREFIXES)
    add_wine_test_run(${name}.${prefix} ${name} ${prefix})
  endforeach()
endfunction()

# add_wine_test_run(TEST_NAME TARGET PREFIX [ENVIRONMENT VAR=VALUE...] [ARGS...])
# one more run of a test program, for instance under another UI language.
function(add_wine_test_run test_name target prefix)
  cmake_parse_arguments(ARG "" "" "ENVIRONMENT;ARGS" ${ARGN})
  add_test(NAME ${test_name}
           COMMAND ${RUN_IN_PREFIX} ${WINE_PREFIX_TEMPLATES}/${prefix} $<TARGET_FILE:${target}> ${ARG_ARGS})
  if(ARG_ENVIRONMENT)
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
endfunction()

# add_wine_display_test(NAME PREFIXES win32 [win64] SOURCES ... LIBRARIES ...)
# as add_wine_test, for programs that create windows: each run gets a virtual screen (Xvfb).
function(add_wine_display_test name)
  cmake_parse_arguments(ARG "" "" "PREFIXES;SOURCES;LIBRARIES" ${ARGN})
  add_wine_test(${name} SOURCES ${ARG_SOURCES} LIBRARIES ${ARG_LIBRARIES})
  foreach(prefix IN LISTS ARG_PREFIXES)
    add_test(NAME ${name}.${prefix}
             COMMAND ${RUN_IN_PREFIX} ${WINE_PREFIX_TEMPLATES}/${prefix}
                     ${CMAKE_SOURCE_DIR}/tests/support/with-xvfb.sh $<TARGET_FILE:${name}>)
  endforeach()
endfunction()
