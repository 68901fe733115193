# Cross toolchain: 64-bit Windows builds of the tests, for hosts whose Wine runs no 32-bit program.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PLINVARO_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
