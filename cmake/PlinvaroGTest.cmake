# GoogleTest for the test programs, and plinvaro_add_gtest, the one way a test program is added.
#
# Native builds use the installed GoogleTest and list each program's cases
# with gtest_discover_tests. Cross builds compile GoogleTest from its sources
# and register each program as one test, since listing the cases would start
# the emulator at build time.

if(CMAKE_CROSSCOMPILING)
  # No GoogleTest is packaged for the cross compiler: build it from its sources.
  set(PLINVARO_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${PLINVARO_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/tests/googletest
                   EXCLUDE_FROM_ALL SYSTEM)  # defines GTest::gtest
  # Port settings for the win32 thread model, found before GoogleTest's own empty ones.
  foreach(target gtest gtest_main)
    target_include_directories(${target} BEFORE PUBLIC ${PROJECT_SOURCE_DIR}/tests/win32/gtest-port)
    target_compile_options(${target} PRIVATE -w)
  endforeach()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# plinvaro_add_gtest(<name> SOURCES <file>... [LIBS <target>...] [OWN_MAIN] [CROSS_ARGS <arg>...])
# A GoogleTest program linked with the shared test helpers and LIBS; OWN_MAIN
# when one of its sources defines main(); CROSS_ARGS are its arguments in a
# cross build.
function(plinvaro_add_gtest name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "OWN_MAIN" "" "SOURCES;LIBS;CROSS_ARGS")
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} plinvaro_test_support GTest::gtest)
  if(NOT arg_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(EMSCRIPTEN)
    # Runs under Node, with the machine's files as its file system; this
    # emscripten's loader fails under Node's own fetch.
    target_link_options(${name} PRIVATE -sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} ${arg_CROSS_ARGS})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
