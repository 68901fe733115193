# The MinGW-w64 cross toolchain once the including file has set CMAKE_SYSTEM_PROCESSOR and PLINVARO_MINGW_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${PLINVARO_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${PLINVARO_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${PLINVARO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${PLINVARO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through Wine.
find_program(PLINVARO_WINE wine)
if(PLINVARO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PLINVARO_WINE})
endif()

# One self-contained executable: no libgcc or libstdc++ DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

include(${CMAKE_CURRENT_LIST_DIR}/BoostHeadersOnly.cmake)
