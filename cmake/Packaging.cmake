# Installation of the programs, the desktop entry and the icon, and the Debian package built by CPack.

# The Windows build ships its own way.
if(WIN32)
  return()
endif()

include(GNUInstallDirs)

set(PLINVARO_LINUX_RESOURCES ${PROJECT_SOURCE_DIR}/resources/linux)
# Who answers for the package: its Maintainer, the copyright's Upstream-Contact, the changelog's signature.
set(PLINVARO_CONTACT "Plinvaro developers <plinvaro@example.org>")
set(PLINVARO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/plinvaro)
# The package's own revision of the upstream version; the changelog names both.
set(PLINVARO_DEBIAN_REVISION 1)
set(PLINVARO_PACKAGE_VERSION ${PROJECT_VERSION}-${PLINVARO_DEBIAN_REVISION})

# The manual pages and the changelog as Debian ships them: compressed at the
# highest level, without a name or a time in the header.
function(plinvaro_gzip source name)
  set(output ${CMAKE_BINARY_DIR}/packaged/${name}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" gzip ${source} ${output}
                     DEPENDS ${source} VERBATIM)
  add_custom_target(packaged-${name} ALL DEPENDS ${output})
endfunction()

configure_file(${PLINVARO_LINUX_RESOURCES}/copyright ${CMAKE_BINARY_DIR}/packaged/copyright @ONLY)
configure_file(${PLINVARO_LINUX_RESOURCES}/changelog ${CMAKE_BINARY_DIR}/packaged/changelog.Debian @ONLY)
plinvaro_gzip(${CMAKE_BINARY_DIR}/packaged/changelog.Debian changelog.Debian)

if(TARGET plinvaro-cli)
  install(TARGETS plinvaro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  plinvaro_gzip(${PLINVARO_LINUX_RESOURCES}/man/plinvaro-cli.1 plinvaro-cli.1)
  install(FILES ${CMAKE_BINARY_DIR}/packaged/plinvaro-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${CMAKE_BINARY_DIR}/packaged/copyright ${CMAKE_BINARY_DIR}/packaged/changelog.Debian.gz
          DESTINATION ${PLINVARO_DOC_DIR})
endif()

if(TARGET plinvaro)
  install(TARGETS plinvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PLINVARO_LINUX_RESOURCES}/plinvaro.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PLINVARO_LINUX_RESOURCES}/org.plinvaro.Plinvaro.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  plinvaro_gzip(${PLINVARO_LINUX_RESOURCES}/man/plinvaro.1 plinvaro.1)
  install(FILES ${CMAKE_BINARY_DIR}/packaged/plinvaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
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
set(CPACK_DEBIAN_PACKAGE_RELEASE ${PLINVARO_DEBIAN_REVISION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "${PLINVARO_CONTACT}")
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
