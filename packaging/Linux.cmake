# Installing on Linux: the program behind a small launcher that starts it in the folder
# of its 42 frame pictures (it reads them by bare name from its working directory), the
# pictures, the desktop entry, the icons, the AppStream metadata for software centres, the
# manual page, the changelog and the copyright file; and the Debian package of all of it.
include(GNUInstallDirs)

# Folders made by the install get the usual permissions whatever the builder's umask (a
# normal user's on Debian 13 is 0002), in the package as in `cmake --install`.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Software centres know the program by this name; it must not change between releases.
set(BUSENJE_APP_ID io.github.busenje.Busenje)
set(BUSENJE_MAINTAINER "Bušenje developers <busenje@example.org>"
    CACHE STRING "Name and mail address of the Debian package's maintainer")

# The real program keeps the file name busenje, which gives the window its title.
set(BUSENJE_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/busenje)
set(BUSENJE_PICTURES_DIR ${CMAKE_INSTALL_DATADIR}/busenje)
set(BUSENJE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/busenje)

install(TARGETS busenje RUNTIME DESTINATION ${BUSENJE_PROGRAM_DIR})
install(FILES ${BUSENJE_FRAME_PICTURES} DESTINATION ${BUSENJE_PICTURES_DIR})
foreach(size IN LISTS BUSENJE_ICON_SIZES)
  install(FILES ${BUSENJE_ICON_DIR}/${size}x${size}/busenje.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${BUSENJE_ICON_DIR}/scalable/busenje.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${BUSENJE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES copyright DESTINATION ${BUSENJE_DOC_DIR})

# The manual page and the changelog go compressed, without a time stamp in the gzip
# header, so that the same sources give the same package.
set(BUSENJE_PACKAGING_OUT ${CMAKE_CURRENT_BINARY_DIR})
configure_file(changelog.in ${BUSENJE_PACKAGING_OUT}/changelog @ONLY)
add_custom_command(
  OUTPUT ${BUSENJE_PACKAGING_OUT}/busenje.1.gz ${BUSENJE_PACKAGING_OUT}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/busenje.1
          ${BUSENJE_PACKAGING_OUT}/busenje.1
  COMMAND gzip -9nf ${BUSENJE_PACKAGING_OUT}/busenje.1
  COMMAND ${CMAKE_COMMAND} -E copy ${BUSENJE_PACKAGING_OUT}/changelog
          ${BUSENJE_PACKAGING_OUT}/changelog.copy
  COMMAND gzip -9nf ${BUSENJE_PACKAGING_OUT}/changelog.copy
  COMMAND ${CMAKE_COMMAND} -E rename ${BUSENJE_PACKAGING_OUT}/changelog.copy.gz
          ${BUSENJE_PACKAGING_OUT}/changelog.gz
  DEPENDS busenje.1 ${BUSENJE_PACKAGING_OUT}/changelog
  COMMENT "Compressing the manual page and the changelog"
  VERBATIM)
add_custom_target(packaging_docs ALL DEPENDS ${BUSENJE_PACKAGING_OUT}/busenje.1.gz
                                             ${BUSENJE_PACKAGING_OUT}/changelog.gz)
install(FILES ${BUSENJE_PACKAGING_OUT}/busenje.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${BUSENJE_PACKAGING_OUT}/changelog.gz DESTINATION ${BUSENJE_DOC_DIR})

# The launcher and the desktop entry name absolute paths, so they are written when the
# prefix is known: at install time, for `cmake --install --prefix` and the package alike.
install(CODE "
  set(BUSENJE_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${BUSENJE_PROGRAM_DIR}/busenje\")
  set(BUSENJE_PICTURES \"\${CMAKE_INSTALL_PREFIX}/${BUSENJE_PICTURES_DIR}\")
  set(BUSENJE_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/busenje\")
  configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/busenje.in\"
                 \"${BUSENJE_PACKAGING_OUT}/launcher/busenje\" @ONLY)
  file(INSTALL \"${BUSENJE_PACKAGING_OUT}/launcher/busenje\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                        WORLD_READ WORLD_EXECUTE)
  configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/busenje.desktop.in\"
                 \"${BUSENJE_PACKAGING_OUT}/busenje.desktop\" @ONLY)
  file(INSTALL \"${BUSENJE_PACKAGING_OUT}/busenje.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")

# The Debian package. CPack reuses the build and finds the shared libraries' packages
# with dpkg-shlibdeps, and stops if it cannot (CPackChecks.cmake); the fonts the
# program's look relies on are named here: the Tahoma clone of fonts-wine, which the
# program registers by its path, Liberation Sans and Serif for the chart's numbers and
# the instructions page, DejaVu as the fallback. Where a release has no fonts-wine, the
# labels are set in DejaVu Sans, which the alternative brings.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "${BUSENJE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Bušenje shows machining students how the axial force and the drilling
moment of a twist drill follow from the drill's diameter, the cutting
speed, the feed, the depth of the hole and the materials of the tool and
the workpiece, when drilling into solid material or enlarging a hole.

While the drill sinks into the workpiece in an animated cross-section, an
oscillograph draws the force and the moment over time; the run stops at
the set depth, on a pause, or when the moment breaks the drill.

The program speaks Serbian.")
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine | fonts-dejavu-core, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/CPackChecks.cmake)
