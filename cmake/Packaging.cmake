# Installation of the programs, the desktop entry and the icon, and the Debian package built by CPack.

# The Windows build ships its own way.
if(WIN32)
  return()
endif()

include(GNUInstallDirs)

set(PLINVARO_LINUX_RESOURCES ${PROJECT_SOURCE_DIR}/resources/linux)

if(TARGET plinvaro-cli)
  install(TARGETS plinvaro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PLINVARO_LINUX_RESOURCES}/man/plinvaro-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PLINVARO_LINUX_RESOURCES}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/plinvaro)
endif()

if(TARGET plinvaro)
  install(TARGETS plinvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PLINVARO_LINUX_RESOURCES}/plinvaro.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PLINVARO_LINUX_RESOURCES}/org.plinvaro.Plinvaro.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PLINVARO_LINUX_RESOURCES}/man/plinvaro.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/plinvaro.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/hicolor/${size}x${size}/apps/plinvaro.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plinvaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "Plinvaro developers")
set(CPACK_PACKAGE_INSTALL_DIRECTORY plinvaro)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Plays a base text file word by word into an editable box and, on demand,\ncontinues from another text file of a chosen folder at a place where both\nfiles share the words just played. Includes the desktop program plinvaro\nand the command-line tool plinvaro-cli.")
# The shared libraries the programs link decide the dependencies; the fonts are
# what the text boxes ask for ("Times New Roman" resolves to Liberation Serif).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)

include(CPack)
