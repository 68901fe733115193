# Cross toolchain: 32-bit Windows programs with MinGW-w64 (i686-w64-mingw32), run under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PLINVARO_MINGW_PREFIX i686-w64-mingw32)
# The code targets a plain i686 with x87 maths; SIMD kernels are picked at run time.
set(CMAKE_CXX_FLAGS_INIT "-march=i686 -mtune=generic")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
