# The launcher's code on Windows, small: each function in its own section, so that the
# linker drops what nothing calls; no exception or type-information support and no
# locks around static initialisation, none of which the single-threaded program uses;
# on i686 no unwind tables either, which Windows does not use there (x86_64 keeps
# them: its system unwinder reads them). The C++ library's parts that throw are
# replaced (the launcher runtime in src/backend/win32), so that no exception runtime
# or unwinder is linked either. No -fdata-sections: on Windows targets it puts
# zero-filled data (the setup record) into the file.
set(SETUP_SIZE_OPTIONS -ffunction-sections -fno-exceptions -fno-rtti -fno-threadsafe-statics)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  list(APPEND SETUP_SIZE_OPTIONS -fno-asynchronous-unwind-tables)
endif()

# Builds the target's C++ with those options on Windows; natively it is left as it is.
function(setup_small_code target)
  if(WIN32)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${SETUP_SIZE_OPTIONS}>)
  endif()
endfunction()
