# Windows executables, tests included, run under Wine with a prefix private to
# this build tree, never the user's own ~/.wine.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(BANDAS_WINE_ARCH win64)
  set(loader /usr/lib/wine/wine64)
else()
  set(BANDAS_WINE_ARCH win32)
  set(loader /usr/lib/wine/wine)
endif()
set(BANDAS_WINE_PREFIX "${PROJECT_BINARY_DIR}/wineprefix")
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${PROJECT_SOURCE_DIR}/cmake/wine-run;${BANDAS_WINE_PREFIX};${BANDAS_WINE_ARCH}")

# Some kernels run no 32-bit code at all, and so no 32-bit Wine; the programs
# are still built, and the x86-64 build runs the same tests.
execute_process(COMMAND ${loader} --version
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
if(status EQUAL 0)
  set(BANDAS_WINE_TESTS ON)
else()
  set(BANDAS_WINE_TESTS OFF)
  message(STATUS "${loader} cannot run here: Windows tests are built but not run")
endif()
