# The browser build: emscripten's own toolchain, with Boost's headers from a folder that holds only them.
find_program(PLINVARO_EMCC emcc REQUIRED)
get_filename_component(_plinvaro_emcc_real "${PLINVARO_EMCC}" REALPATH)
get_filename_component(_plinvaro_emscripten_root "${_plinvaro_emcc_real}" DIRECTORY)
include("${_plinvaro_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")

# Exceptions carry out-of-memory and thread failures inside the core: the
# engine's native ones. SIMD128 lets the compiler vectorise plain loops.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions -msimd128")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")

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
