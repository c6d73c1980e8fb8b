# The release bundle, made by CPack's ZIP generator with `cmake --build --preset win32
# --target package`: PRODUCT-VERSION.zip (setup-launcher-1.0.0.zip unbranded) with
# setup.exe, setupcheck.exe, the example scripts and the publisher's guide, written
# again by scripts/normalise-zip.sh so that two builds give the same bytes.
#
# The guide is the README's publisher sections, taken out of it here so that the two
# never disagree.
set(SETUP_README ${PROJECT_SOURCE_DIR}/README.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SETUP_README})
file(READ ${SETUP_README} readme)

# The README's section under a "## " heading, up to the next one.
function(setup_readme_section heading outVar)
  string(FIND "${readme}" "## ${heading}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "README.md has no section '## ${heading}' for the publisher's guide")
  endif()
  string(SUBSTRING "${readme}" ${start} -1 rest)
  string(SUBSTRING "${rest}" 3 -1 afterHeading)
  string(FIND "${afterHeading}" "\n## " end)
  if(end GREATER -1)
    math(EXPR end "${end} + 4")
    string(SUBSTRING "${rest}" 0 ${end} rest)
  endif()
  set(${outVar} "${rest}" PARENT_SCOPE)
endfunction()

setup_readme_section("For publishers: check, preview, brand, seal, sign, ship" workflow)
setup_readme_section("The script format, for publishers" format)
file(WRITE ${PROJECT_BINARY_DIR}/publishers.md
     "# Setup Launcher ${PROJECT_VERSION}: the publisher's guide\n\n${workflow}\n${format}")

install(TARGETS setup setupcheck RUNTIME DESTINATION .)
file(GLOB SETUP_EXAMPLE_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.ini)
install(FILES ${SETUP_EXAMPLE_SCRIPTS} DESTINATION examples)
install(FILES ${PROJECT_BINARY_DIR}/publishers.md DESTINATION .)

# The product's name and version made safe for a file name: lower case, each run of
# blanks and punctuation other than '.', '_' and '-' one '-'.
string(TOLOWER "${SETUP_PRODUCT_NAME}-${SETUP_PRODUCT_VERSION}" name)
string(REGEX REPLACE "[ -,/:-@[-^`{-~]+" "-" name "${name}")
string(REGEX REPLACE "--+" "-" name "${name}")
string(REGEX REPLACE "^[-.]+" "" name "${name}")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME setup-launcher)
set(CPACK_PACKAGE_FILE_NAME ${name})
set(CPACK_POST_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/normalise_package.cmake)
set(CPACK_SETUP_NORMALISE_ZIP ${PROJECT_SOURCE_DIR}/scripts/normalise-zip.sh)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
include(CPack)
