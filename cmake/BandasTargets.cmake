# Compiler settings shared by every target of ours (not by GoogleTest).
function(bandas_code_settings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(WIN32)
    target_compile_definitions(${target} PRIVATE
      UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# The shipped program's own code: no exceptions (nothing in it throws, and
# the runtime that would unwind them stays out of the executable), no RTTI,
# and one section per function and datum, so that the linker drops whatever
# nothing calls. The tests link the same libraries and keep their exceptions.
function(bandas_lean_code target)
  if(WIN32)
    target_compile_options(${target} PRIVATE
      -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
  endif()
endfunction()

# The native tests run under AddressSanitizer and UBSan; the benchmark does not.
function(bandas_sanitize target)
  if(NOT WIN32 AND BANDAS_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Windows executables carry no DLL of the toolchain: everything but the
# system's own libraries is linked in.
function(bandas_static_exe target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# A test that the Windows executable is of the build's machine type and
# imports nothing but the system's own DLLs.
function(bandas_check_pe target)
  add_test(NAME ${target}.pe_imports
           COMMAND "${PROJECT_SOURCE_DIR}/cmake/check-pe" "${CMAKE_OBJDUMP}"
                   $<TARGET_FILE:${target}> ${ARGN})
endfunction()

# A test that the executable stays below `limit` bytes.
function(bandas_check_size target limit)
  add_test(NAME ${target}.size
           COMMAND sh -c "size=$(stat -c %s \"$0\") && echo \"$size bytes, limit $1\" && [ $size -lt $1 ]"
                   $<TARGET_FILE:${target}> ${limit})
endfunction()
