add_test(NAME Install.DesktopEntryProgramAndPictures
         COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                 -DPREFIX=${CMAKE_BINARY_DIR}/install-check
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/install/CheckInstall.cmake)
