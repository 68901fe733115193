# Decides whether the Qt desktop face is built and finds what it needs: Qt 6 Widgets and QScintilla (Plinvaro::QScintilla).
#
# PLINVARO_BUILD_QT is AUTO, ON or OFF. AUTO builds the face where both are
# found and says so when they are not; ON requires them. Afterwards
# PLINVARO_QT_FOUND tells the rest of the build whether the face is built.

set(PLINVARO_QT_FOUND OFF)
if(WIN32 OR NOT PLINVARO_BUILD_QT)
  return()
endif()

string(TOUPPER "${PLINVARO_BUILD_QT}" _plinvaro_qt_mode)
if(_plinvaro_qt_mode STREQUAL "AUTO")
  set(_plinvaro_qt_required)
else()
  set(_plinvaro_qt_required REQUIRED)
endif()

find_package(Qt6 COMPONENTS Widgets ${_plinvaro_qt_required})
# QScintilla ships no CMake package on Debian: find the library and wrap it.
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6 ${_plinvaro_qt_required})
find_path(QSCINTILLA_INCLUDE_DIR Qsci/qsciscintilla.h
  PATH_SUFFIXES qt6 ${CMAKE_LIBRARY_ARCHITECTURE}/qt6
  HINTS ${Qt6Widgets_INCLUDE_DIRS} ${QT6_INSTALL_PREFIX}/include
  ${_plinvaro_qt_required})

if(NOT Qt6Widgets_FOUND OR NOT QSCINTILLA_LIBRARY OR NOT QSCINTILLA_INCLUDE_DIR)
  message(STATUS "Qt desktop program not built: Qt 6 Widgets and QScintilla (qscintilla2_qt6) are needed")
  return()
endif()

add_library(Plinvaro::QScintilla SHARED IMPORTED)
set_target_properties(Plinvaro::QScintilla PROPERTIES
  IMPORTED_LOCATION ${QSCINTILLA_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${QSCINTILLA_INCLUDE_DIR}
  INTERFACE_COMPILE_DEFINITIONS QSCINTILLA_DLL
  INTERFACE_LINK_LIBRARIES Qt6::Widgets)
set(PLINVARO_QT_FOUND ON)
message(STATUS "Qt desktop program: built")
