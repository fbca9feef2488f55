# Windows test programs run by ctest under Wine, each in a fresh prefix copied from a template.
# Every program is built in both trees, like Wine's own tests: the 32-bit build runs as NAME.win32
# on 32-bit Windows (and, where asked, as NAME.wow64 on 64-bit Windows under WOW64); the 64-bit
# build runs as NAME.win64 on 64-bit Windows. A run that cannot start on this machine (32-bit
# programs where the kernel runs none) exits with 77: ctest counts it as skipped.
set(WINE_PREFIX_TEMPLATES ${CMAKE_SOURCE_DIR}/build/prefixes CACHE PATH "Wine prefix templates")
set(RUN_IN_PREFIX ${CMAKE_SOURCE_DIR}/tests/support/run-in-prefix.sh)
set(WITH_XVFB ${CMAKE_SOURCE_DIR}/tests/support/with-xvfb.sh)
set(WINE_TEST_SKIPPED 77)

include(${CMAKE_CURRENT_LIST_DIR}/GoogleTestSources.cmake)

# wine_test_runs(VAR [WOW64]): the runs of a test program of this tree: win64 in the 64-bit
# tree; win32, and wow64 when asked, in the 32-bit tree.
function(wine_test_runs var)
  cmake_parse_arguments(ARG "WOW64" "" "" ${ARGN})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(runs win64)
  elseif(ARG_WOW64)
    set(runs win32 wow64)
  else()
    set(runs win32)
  endif()
  set(${var} ${runs} PARENT_SCOPE)
endfunction()

# add_prefix_test(NAME RUN [ENVIRONMENT VAR=VALUE...] COMMAND...): a test that runs COMMAND in a
# fresh prefix for RUN (win32 on the 32-bit template, wow64 and win64 on the 64-bit one), with
# WINE_TEST_RUN=RUN in its environment.
function(add_prefix_test name run)
  cmake_parse_arguments(ARG "" "" "ENVIRONMENT;COMMAND" ${ARGN})
  set(template win64)
  if(run STREQUAL "win32")
    set(template win32)
  endif()
  add_test(NAME ${name} COMMAND ${RUN_IN_PREFIX} ${WINE_PREFIX_TEMPLATES}/${template} ${ARG_COMMAND})
  set(environment WINE_TEST_RUN=${run} ${ARG_ENVIRONMENT})
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE ${WINE_TEST_SKIPPED} ENVIRONMENT "${environment}")
endfunction()

# add_wine_test(NAME [WOW64] [DISPLAY] [CUSTOM_RUNS] SOURCES ... LIBRARIES ...): builds NAME and
# registers its runs. DISPLAY gives each run a virtual screen (Xvfb), for programs that create
# windows; CUSTOM_RUNS registers none, for programs whose runs add_wine_test_run names.
function(add_wine_test name)
  cmake_parse_arguments(ARG "WOW64;DISPLAY;CUSTOM_RUNS" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} gtest gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(wow64)
  if(ARG_WOW64)
    set(wow64 WOW64)
  endif()
  set(display)
  if(ARG_DISPLAY)
    set(display ${WITH_XVFB})
  endif()
  if(ARG_CUSTOM_RUNS)
    return()
  endif()
  wine_test_runs(runs ${wow64})
  foreach(run IN LISTS runs)
    add_prefix_test(${name}.${run} ${run} COMMAND ${display} $<TARGET_FILE:${name}>)
  endforeach()
endfunction()

# add_wine_test_run(TEST_NAME TARGET RUN [ENVIRONMENT VAR=VALUE...] [ARGS...])
# one more run of a test program, for instance under another UI language.
function(add_wine_test_run test_name target run)
  cmake_parse_arguments(ARG "" "" "ENVIRONMENT;ARGS" ${ARGN})
  add_prefix_test(${test_name} ${run} ENVIRONMENT ${ARG_ENVIRONMENT} COMMAND $<TARGET_FILE:${target}> ${ARG_ARGS})
endfunction()

# monitor_pair_beside(TARGET...): this tree's port monitor pair lies, under its shipped names, in
# the folder this CMakeLists builds its programs in before TARGETs build, and PORTMON_MONITOR_DLL
# and PORTMON_UI_DLL name the two files (L"..." texts) to TARGETs and to what links them. Copied
# on every build, so that a rebuilt DLL reaches tests that do not relink; one copy a folder, so
# that parallel builds never write the same file twice at once.
function(monitor_pair_beside)
  file(RELATIVE_PATH folder ${CMAKE_BINARY_DIR} ${CMAKE_CURRENT_BINARY_DIR})
  string(MAKE_C_IDENTIFIER "${folder}_monitor_pair" copy)
  if(NOT TARGET ${copy})
    add_custom_target(${copy}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:portmon_monitor> $<TARGET_FILE:portmon_ui>
              ${CMAKE_CURRENT_BINARY_DIR}
      DEPENDS portmon_monitor portmon_ui
      VERBATIM)
  endif()
  foreach(target IN LISTS ARGN)
    add_dependencies(${target} ${copy})
    target_compile_definitions(${target} PUBLIC
      "PORTMON_MONITOR_DLL=L\"$<TARGET_FILE_NAME:portmon_monitor>\""
      "PORTMON_UI_DLL=L\"$<TARGET_FILE_NAME:portmon_ui>\"")
  endforeach()
endfunction()
