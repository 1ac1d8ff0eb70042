# Installing on Windows: one folder holds the program, its 42 frame pictures (it reads them
# by bare name from its working directory), the DLLs it loads, Qt's plugins for the screen
# and the Windows style, and the licence. CPack packs that folder as an NSIS installer,
# which puts it under Program Files with a Start-menu entry that starts the program in it,
# and as a zip for labs that do not install programs.
install(TARGETS busenje RUNTIME DESTINATION .)
install(FILES ${BUSENJE_FRAME_PICTURES} DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

# Qt loads its plugins at run time, so the linker does not name them; Qt looks for them in
# these folders beside the program.
set(qt_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
install(FILES ${qt_plugins}/platforms/qwindows.dll DESTINATION platforms)
# Qt 6.7 put the Windows Vista style and its Windows 11 successor into one plugin.
if(Qt6_VERSION VERSION_GREATER_EQUAL 6.7)
  install(FILES ${qt_plugins}/styles/qmodernwindowsstyle.dll DESTINATION styles)
else()
  install(FILES ${qt_plugins}/styles/qwindowsvistastyle.dll DESTINATION styles)
endif()

# The DLLs the program loads: Qt's and QCustomPlot's, as their imported targets name
# them, and the compiler's runtime, from where the compiler finds it.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport
        QCustomPlotQt6::QCustomPlotQt6 RUNTIME DESTINATION .)
set(compiler_runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
foreach(library IN LISTS compiler_runtime)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${library}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  install(FILES ${path} DESTINATION .)
endforeach()
# The libraries come with symbols that only a debugger reads (libstdc++ is 24 MB with
# them, 2 MB without); the copies installed leave them out.
install(CODE "
  file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
  foreach(binary IN LISTS binaries)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endforeach()")

set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME busenje-${PROJECT_VERSION}-win64)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Busenje)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Busenje)
# The Start-menu entry; the installer makes it in the program's folder, so the program
# starts with that folder as its working directory and finds its pictures.
set(CPACK_PACKAGE_EXECUTABLES busenje "Bušenje")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Bušenje")
set(CPACK_NSIS_DISPLAY_NAME "Bušenje ${PROJECT_VERSION}")
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_INSTALLED_ICON_NAME busenje.exe)
set(CPACK_NSIS_MUI_ICON ${BUSENJE_ICON_DIR}/busenje.ico)
set(CPACK_NSIS_MUI_UNIICON ${BUSENJE_ICON_DIR}/busenje.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "https://github.com/busenje/busenje")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The uninstaller removes the vendor's registry key as well once it is empty, so that
# nothing of the program is left behind.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX \\\"Software\\\\${CPACK_PACKAGE_VENDOR}\\\\Busenje\\\"
  DeleteRegKey /ifempty SHCTX \\\"Software\\\\${CPACK_PACKAGE_VENDOR}\\\"")
