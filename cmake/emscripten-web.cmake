# The browser build: emscripten's own toolchain, with Boost's headers from a folder that holds only them.
find_program(PLINVARO_EMCC emcc REQUIRED)
get_filename_component(_plinvaro_emcc_real "${PLINVARO_EMCC}" REALPATH)
get_filename_component(_plinvaro_emscripten_root "${_plinvaro_emcc_real}" DIRECTORY)
include("${_plinvaro_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")

# Exceptions carry out-of-memory and thread failures inside the core: the
# engine's native ones. SIMD128 lets the compiler vectorise plain loops and
# builds the scan's SIMD128 kernel. Options rather than CMAKE_CXX_FLAGS_INIT,
# which a preset's CMAKE_CXX_FLAGS (the warnings) would replace.
add_compile_options(-fwasm-exceptions -msimd128)
add_link_options(-fwasm-exceptions)

include(${CMAKE_CURRENT_LIST_DIR}/BoostHeadersOnly.cmake)
