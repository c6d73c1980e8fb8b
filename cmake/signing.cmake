# Signing at build time. With a PKCS#12 file and its password file, or a key on a
# PKCS#11 token with its certificates and PIN file, setup_sign_programs() signs
# setup.exe and setupcheck.exe in one step after both are linked, through one run of
# scripts/sign.sh, whenever either was linked again: no unsigned program is left in
# the build folder for the package to take, whatever was rebuilt. A failed signing
# fails the build. Without these variables nothing is signed.
#
# The password or PIN file is read once per build that signs (a named pipe from mkfifo,
# written once, serves), so a wrong PIN costs one failed login per build.

set(SETUP_SIGN_PKCS12 "" CACHE FILEPATH "Sign with this PKCS#12 file (certificate and key)")
set(SETUP_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of SETUP_SIGN_PKCS12")
set(SETUP_SIGN_PKCS11_MODULE "" CACHE FILEPATH "Sign with a key on a token: its PKCS#11 module")
set(SETUP_SIGN_PKCS11_ENGINE "" CACHE FILEPATH "OpenSSL's PKCS#11 engine, where it is not in OpenSSL's engine folder")
set(SETUP_SIGN_KEY "" CACHE STRING "PKCS#11 URI of the key on the token")
set(SETUP_SIGN_CERTS "" CACHE FILEPATH "PEM certificates of the token's key: its own first, then the chain")
set(SETUP_SIGN_PIN_FILE "" CACHE FILEPATH "File holding the token's PIN")
set(SETUP_SIGN_TIMESTAMP "" CACHE STRING "RFC 3161 time-stamp server of the signatures (empty: none)")

# The options every signing takes; a PKCS#11 URI keeps its semicolons by being quoted.
set(SETUP_SIGN_OPTIONS "")
if(NOT SETUP_SIGN_TIMESTAMP STREQUAL "")
  list(APPEND SETUP_SIGN_OPTIONS --timestamp "${SETUP_SIGN_TIMESTAMP}")
endif()
if(NOT "${SETUP_SIGN_PKCS11_MODULE}${SETUP_SIGN_KEY}${SETUP_SIGN_CERTS}${SETUP_SIGN_PIN_FILE}" STREQUAL "")
  foreach(part PKCS11_MODULE KEY CERTS PIN_FILE)
    if(SETUP_SIGN_${part} STREQUAL "")
      message(FATAL_ERROR "Signing with a token needs SETUP_SIGN_PKCS11_MODULE, SETUP_SIGN_KEY, SETUP_SIGN_CERTS and SETUP_SIGN_PIN_FILE; SETUP_SIGN_${part} is empty")
    endif()
  endforeach()
  if(NOT SETUP_SIGN_PKCS12 STREQUAL "")
    message(FATAL_ERROR "SETUP_SIGN_PKCS12 and SETUP_SIGN_PKCS11_MODULE both set: sign with the token or with the file, not both")
  endif()
  if(NOT SETUP_SIGN_PKCS11_ENGINE STREQUAL "")
    list(APPEND SETUP_SIGN_OPTIONS --pkcs11-engine "${SETUP_SIGN_PKCS11_ENGINE}")
  endif()
  set(SETUP_SIGN token)
  message(STATUS "Signing setup.exe and setupcheck.exe, once both are linked, with ${SETUP_SIGN_KEY}")
elseif(NOT "${SETUP_SIGN_PKCS12}${SETUP_SIGN_PASSWORD_FILE}" STREQUAL "")
  if(SETUP_SIGN_PKCS12 STREQUAL "" OR SETUP_SIGN_PASSWORD_FILE STREQUAL "")
    message(FATAL_ERROR "Signing with a PKCS#12 file needs both SETUP_SIGN_PKCS12 and SETUP_SIGN_PASSWORD_FILE")
  endif()
  set(SETUP_SIGN pkcs12)
  message(STATUS "Signing setup.exe and setupcheck.exe, once both are linked, with ${SETUP_SIGN_PKCS12}")
else()
  set(SETUP_SIGN "")
endif()

# The settings, written only when they change: each program links again after a change,
# so no program signed otherwise, or not at all, stays in the build folder.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/signing/settings.txt @ONLY CONTENT
     "${SETUP_SIGN} ${SETUP_SIGN_OPTIONS} ${SETUP_SIGN_PKCS12} ${SETUP_SIGN_PASSWORD_FILE} ${SETUP_SIGN_PKCS11_MODULE} ${SETUP_SIGN_KEY} ${SETUP_SIGN_CERTS} ${SETUP_SIGN_PIN_FILE}\n")

# The step that signs both programs; the description is the name Windows shows when
# it asks to run the program. Branding texts are quoted whole: a ';' stays in them.
function(setup_sign_programs)
  foreach(target setup setupcheck)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${PROJECT_BINARY_DIR}/signing/settings.txt)
  endforeach()
  if(SETUP_SIGN STREQUAL "")
    return()
  endif()
  set(stamp ${PROJECT_BINARY_DIR}/signing/signed.stamp)
  if(SETUP_SIGN STREQUAL "token")
    add_custom_command(OUTPUT ${stamp} VERBATIM
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/sign.sh ${SETUP_SIGN_OPTIONS}
              --pkcs11-module "${SETUP_SIGN_PKCS11_MODULE}" --key "${SETUP_SIGN_KEY}" --certs "${SETUP_SIGN_CERTS}"
              --pin-file "${SETUP_SIGN_PIN_FILE}" -- --description "${SETUP_PRODUCT_NAME}" $<TARGET_FILE:setup>
              --description setupcheck $<TARGET_FILE:setupcheck>
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS setup setupcheck ${PROJECT_BINARY_DIR}/signing/settings.txt
      COMMENT "Signing setup.exe and setupcheck.exe")
  else()
    add_custom_command(OUTPUT ${stamp} VERBATIM
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/sign.sh ${SETUP_SIGN_OPTIONS} -- "${SETUP_SIGN_PKCS12}" "${SETUP_SIGN_PASSWORD_FILE}"
              --description "${SETUP_PRODUCT_NAME}" $<TARGET_FILE:setup> --description setupcheck $<TARGET_FILE:setupcheck>
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS setup setupcheck ${PROJECT_BINARY_DIR}/signing/settings.txt
      COMMENT "Signing setup.exe and setupcheck.exe")
  endif()
  add_custom_target(sign_programs ALL DEPENDS ${stamp})
endfunction()
