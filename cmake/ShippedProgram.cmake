# The programs and DLLs we ship (the installer, its stubs and the package's components): built
# size-optimised like everything in the Windows trees, each then gets a version resource, and
# after linking its debug information moves to NAME.debug beside it (found again through the
# .gnu_debuglink section, so a crash address can still be read), the file is stripped and, when
# the build is given a certificate, signed. Included by the top level, so that the settings
# below reach every folder.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/ProductIdentity.cmake)

set(SIGN_CERT "" CACHE FILEPATH "PEM certificate (or chain) the shipped programs are signed with; empty: unsigned")
set(SIGN_KEY "" CACHE FILEPATH "PEM private key of SIGN_CERT; SIGN_PASS in the environment unlocks an encrypted one")
set(certificate_hash "")
if(SIGN_CERT OR SIGN_KEY)
  if(NOT EXISTS "${SIGN_CERT}" OR NOT EXISTS "${SIGN_KEY}")
    message(FATAL_ERROR "signing needs SIGN_CERT and SIGN_KEY, both PEM files (given '${SIGN_CERT}', '${SIGN_KEY}')")
  endif()
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  file(SHA256 ${SIGN_CERT} certificate_hash)
endif()
# Every shipped program relinks when the signing changes, so none keeps an old signature or
# goes without one; the file is rewritten only when its content changes.
set(SIGNING_STAMP ${CMAKE_BINARY_DIR}/signing.txt)
file(CONFIGURE OUTPUT ${SIGNING_STAMP} CONTENT "certificate ${SIGN_CERT} ${certificate_hash}\nkey ${SIGN_KEY}\n")

# ship_program(TARGET FILE_NAME NAME DESCRIPTION TEXT [RESOURCES_ONLY]): NAME is the name the
# file is installed under; RESOURCES_ONLY for DLLs without code or C++ runtime.
function(ship_program target)
  cmake_parse_arguments(ARG "RESOURCES_ONLY" "FILE_NAME;DESCRIPTION" "" ${ARGN})
  get_target_property(type ${target} TYPE)
  set(file_type VFT_DLL)
  if(type STREQUAL "EXECUTABLE")
    set(file_type VFT_APP)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT
"#define VERSION_FILE_DESCRIPTION \"${ARG_DESCRIPTION}\"
#define VERSION_FILE_NAME \"${ARG_FILE_NAME}\"
#define VERSION_FILE_TYPE ${file_type}
#include \"${CMAKE_SOURCE_DIR}/resources/version_info.rc\"
")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/version_info.rc;${PRODUCT_IDENTITY_DIR}/product_identity.h")
  target_sources(${target} PRIVATE ${rc})
  target_include_directories(${target} PRIVATE ${PRODUCT_IDENTITY_DIR})

  set(name $<TARGET_FILE_NAME:${target}>)
  if(ARG_RESOURCES_ONLY)
    # No code, so nothing to debug: only the symbols go.
    set(finish COMMAND ${CMAKE_OBJCOPY} --strip-all ${name})
  else()
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/platform/runtime/terminate_handler.cpp)
    set(finish COMMAND ${CMAKE_OBJCOPY} --only-keep-debug ${name} ${name}.debug
               COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${name}.debug ${name})
  endif()
  # Signed last: the signature covers the stripped file.
  if(SIGN_CERT)
    list(APPEND finish COMMAND ${CMAKE_SOURCE_DIR}/tools/sign-file.sh ${SIGN_CERT} ${SIGN_KEY} ${PRODUCT_NAME} ${name})
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${SIGNING_STAMP})
  add_custom_command(TARGET ${target} POST_BUILD ${finish}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
