# Installs the build into a fresh temporary prefix and checks what a desktop needs: the
# launcher and the program behind it, the 42 frame pictures, the icons, the AppStream
# metadata, the manual page, a valid desktop entry, and that the launcher starts the
# program in the pictures' folder from any other folder with its arguments unchanged.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DFRAME_NAMES=5_1.BMP,... -P CheckInstall.cmake
# The install runs under a normal user's umask on Debian 13, 0002, which the folders it
# makes must not inherit.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND sh -c "umask 0002 && exec \"$0\" --install \"$1\" --prefix \"$2\""
                        ${CMAKE_COMMAND} "${BUILD_DIR}" "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/busenje
    libexec/busenje/busenje
    share/applications/busenje.desktop
    share/icons/hicolor/32x32/apps/busenje.png
    share/icons/hicolor/64x64/apps/busenje.png
    share/icons/hicolor/128x128/apps/busenje.png
    share/icons/hicolor/scalable/apps/busenje.svg
    share/metainfo/io.github.busenje.Busenje.metainfo.xml
    share/man/man1/busenje.1.gz
    share/doc/busenje/copyright
    share/doc/busenje/changelog.gz)
string(REPLACE "," ";" frame_names "${FRAME_NAMES}")
foreach(name IN LISTS frame_names)
  list(APPEND expected share/busenje/${name})
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
execute_process(COMMAND find "${PREFIX}" ( ( -type d -not -perm 0755 ) -o
                        ( -type f -not -perm 0644 -not -perm 0755 ) ) -printf "%m %P\n"
                OUTPUT_VARIABLE unusual)
if(NOT unusual STREQUAL "")
  message(FATAL_ERROR "installed with unusual permissions:\n${unusual}")
endif()
file(GLOB pictures "${PREFIX}/share/busenje/*")
list(LENGTH pictures count)
if(NOT count EQUAL 42)
  message(FATAL_ERROR "${count} files in share/busenje, not the 42 pictures")
endif()

# The program itself keeps its name, which gives the window its title "Busenje".
set(program "${PREFIX}/libexec/busenje/busenje")
file(READ "${program}" magic LIMIT 4 HEX)
if(NOT magic STREQUAL "7f454c46")
  message(FATAL_ERROR "${program} is not the compiled program")
endif()

set(entry "${PREFIX}/share/applications/busenje.desktop")
file(READ "${entry}" text)
foreach(line "Exec=${PREFIX}/bin/busenje" "Icon=busenje")
  string(FIND "${text}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks the line ${line}:\n${text}")
  endif()
endforeach()
execute_process(COMMAND desktop-file-validate "${entry}" RESULT_VARIABLE result
                OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${output}")
endif()

# Started from another folder, the launcher must run the program in the pictures' folder
# and hand it its arguments as they were: a stand-in program reports both.
file(WRITE "${program}" "#!/bin/sh\npwd\nprintf '[%s]\\n' \"$@\"\n")
file(CHMOD "${program}" PERMISSIONS OWNER_READ OWNER_EXECUTE)
execute_process(COMMAND "${PREFIX}/bin/busenje" "two words" "*"
                WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
set(wanted "${PREFIX}/share/busenje\n[two words]\n[*]\n")
if(NOT result EQUAL 0 OR NOT output STREQUAL wanted)
  message(FATAL_ERROR "the launcher ran the program with\n${output}${errors}"
                      "instead of\n${wanted}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
