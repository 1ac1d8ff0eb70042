# Installing: the program, its 42 frame pictures in their own folder, a desktop entry
# that starts the program with that folder as its working directory, and the icon.
include(GNUInstallDirs)

install(TARGETS busenje RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${BUSENJE_FRAME_PICTURES} DESTINATION ${CMAKE_INSTALL_DATADIR}/busenje)
foreach(size IN LISTS BUSENJE_ICON_SIZES)
  install(FILES ${BUSENJE_ICON_DIR}/${size}x${size}/busenje.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${BUSENJE_ICON_DIR}/scalable/busenje.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The entry names absolute paths, so it is written when the prefix is known: at install
# time, for `cmake --install --prefix` and for the package alike.
install(CODE "
  set(BUSENJE_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/busenje\")
  set(BUSENJE_FRAMES_DIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/busenje\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/busenje.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/share/busenje.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/share/busenje.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME busenje)
set(CPACK_PACKAGE_VENDOR "Bušenje")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Teaching program: cutting resistance in drilling and enlarging")
set(CPACK_PACKAGE_CONTACT "Bušenje developers <busenje@localhost>")
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
