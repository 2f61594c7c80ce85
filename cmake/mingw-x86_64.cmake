# The same Windows sources for x86-64, so that every Windows test can run
# under 64-bit Wine on hosts whose kernel runs no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BANDAS_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
