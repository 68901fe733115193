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

# Boost is header-only here. The cross compiler must not see the host's whole
# include directory, so it gets a directory holding nothing but a `boost` link.
get_property(_plinvaro_in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(NOT _plinvaro_in_try_compile AND NOT Boost_INCLUDE_DIR)
  set(_plinvaro_boost_dir "${CMAKE_BINARY_DIR}/boost-include")
  if(NOT EXISTS "${_plinvaro_boost_dir}/boost" AND EXISTS /usr/include/boost)
    file(MAKE_DIRECTORY "${_plinvaro_boost_dir}")
    file(CREATE_LINK /usr/include/boost "${_plinvaro_boost_dir}/boost" SYMBOLIC)
  endif()
  set(Boost_INCLUDE_DIR "${_plinvaro_boost_dir}" CACHE PATH "Directory holding only the boost headers link")
  set(Boost_NO_BOOST_CMAKE ON CACHE BOOL "")
  set(Boost_NO_SYSTEM_PATHS ON CACHE BOOL "")
endif()
