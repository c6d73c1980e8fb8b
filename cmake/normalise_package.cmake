# Run by CPack after it has written the bundle: its entries carry the files' times and
# owner, which differ from build to build, so the bundle is written again without them.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  execute_process(COMMAND ${CPACK_SETUP_NORMALISE_ZIP} ${package} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
