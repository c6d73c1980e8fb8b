# Sealing. With SETUP_SEAL_DIR, the folder of the medium that holds setup.ini (as
# given to scripts/make-medium.sh), setup.exe carries in its resources the SHA-256 of
# that setup.ini and of every file of the folder that a [Run] line of any language
# names. Which files those are is decided by setupcheck --make-seal, built for this
# machine from the launcher's own parser and command-line code. The seal is made again
# whenever one of those files changes (the make rule that setupcheck writes beside it),
# and it is linked into the program before build-time signing signs it.

set(SETUP_SEAL_DIR "" CACHE PATH "Seal setup.exe to the medium in this folder: its setup.ini and the files its [Run] lines name")

# setupcheck for the build machine, in a build folder of its own inside this one, made
# only when something is sealed. A cross build has no native compiler of its own, and
# a build of its own needs no second clone or preset: it is the setupcheck preset's
# build, from the same sources, so the seal always follows the launcher's rules.
include(ExternalProject)
set(SETUP_HOST_SETUPCHECK ${PROJECT_BINARY_DIR}/host-setupcheck/setupcheck)
ExternalProject_Add(host_setupcheck
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${PROJECT_BINARY_DIR}/host-setupcheck
  PREFIX ${PROJECT_BINARY_DIR}/host-setupcheck-stamps
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DSETUP_TESTS=OFF -DSETUP_SANITIZE=OFF
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target setupcheck
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${SETUP_HOST_SETUPCHECK}
  EXCLUDE_FROM_ALL ON)

# The resource script of a launcher sealed to the medium in folder: the launcher's own
# resources and the seal, made by setupcheck into the build folder. Its path goes to
# rc_var; further arguments are files the build makes into the folder, which the seal
# waits for.
function(setup_seal_resources target folder rc_var)
  set(seal ${CMAKE_CURRENT_BINARY_DIR}/${target}.seal)
  add_custom_command(OUTPUT ${seal}
    COMMAND ${SETUP_HOST_SETUPCHECK} --make-seal ${folder} ${seal} ${seal}.d
    DEPFILE ${seal}.d
    DEPENDS host_setupcheck ${SETUP_HOST_SETUPCHECK} ${ARGN}
    COMMENT "Sealing ${target} to ${folder}"
    VERBATIM)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_sealed.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "#include \"setup.rc\"\nSEAL RCDATA \"${seal}\"\n")
  set(${rc_var} ${rc} ${seal} PARENT_SCOPE)
endfunction()

if(NOT SETUP_SEAL_DIR STREQUAL "")
  get_filename_component(SETUP_SEAL_DIR_ABSOLUTE "${SETUP_SEAL_DIR}" ABSOLUTE)
  file(GLOB seal_dir_entries RELATIVE "${SETUP_SEAL_DIR_ABSOLUTE}" "${SETUP_SEAL_DIR_ABSOLUTE}/*")
  string(TOLOWER "${seal_dir_entries}" seal_dir_entries)
  if(NOT IS_DIRECTORY "${SETUP_SEAL_DIR_ABSOLUTE}" OR NOT "setup.ini" IN_LIST seal_dir_entries)
    message(FATAL_ERROR "SETUP_SEAL_DIR: ${SETUP_SEAL_DIR_ABSOLUTE} has no setup.ini; give the folder of the medium that holds it")
  endif()
  message(STATUS "Sealing setup.exe to the medium in ${SETUP_SEAL_DIR_ABSOLUTE}")
endif()
