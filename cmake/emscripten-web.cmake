# The browser build: emscripten's own toolchain, with Boost's headers from a folder that holds only them.
find_program(PLINVARO_EMCC emcc REQUIRED)
get_filename_component(_plinvaro_emcc_real "${PLINVARO_EMCC}" REALPATH)
get_filename_component(_plinvaro_emscripten_root "${_plinvaro_emcc_real}" DIRECTORY)
include("${_plinvaro_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")

# Exceptions carry out-of-memory and thread failures inside the core: the
# engine's native ones. SIMD128 lets the compiler vectorise plain loops.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions -msimd128")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")

include(${CMAKE_CURRENT_LIST_DIR}/BoostHeadersOnly.cmake)
