# Boost is header-only here. A cross compiler must not see the host's whole
# include directory, so it gets a directory holding nothing but a `boost` link.
# Included by the cross toolchains.

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
