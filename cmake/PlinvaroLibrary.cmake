# plinvaro_library(<target> <source>...): a static library whose public include root
# exposes only its own folder, as "<folder>/Header.h"; plinvaro_include_root(<target>)
# gives such a root to a target made otherwise (a program that includes its own headers).
#
# Each root holds one link, named after the folder, to that folder, so a library
# sees its own headers and, through target_link_libraries, those of the libraries
# below it; an include of a library above it finds no file.

function(plinvaro_include_root target)
  get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
  set(root "${PROJECT_BINARY_DIR}/include/${folder}")
  file(MAKE_DIRECTORY "${root}")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${target} PUBLIC "${root}")
endfunction()

function(plinvaro_library target)
  add_library(${target} STATIC ${ARGN})
  plinvaro_include_root(${target})
endfunction()
