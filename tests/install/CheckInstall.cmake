# Installs the build into a fresh temporary prefix and checks what a desktop needs:
# the program, the 42 frame pictures, the icon and a valid desktop entry that starts
# the program in the pictures' folder.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected bin/busenje share/icons/hicolor/32x32/apps/busenje.png
             share/applications/busenje.desktop)
foreach(prefix 5 10 15 20 25 30 50)
  foreach(frame RANGE 1 6)
    list(APPEND expected share/busenje/${prefix}_${frame}.BMP)
  endforeach()
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
file(GLOB pictures "${PREFIX}/share/busenje/*")
list(LENGTH pictures count)
if(NOT count EQUAL 42)
  message(FATAL_ERROR "${count} files in share/busenje, not the 42 pictures")
endif()

set(entry "${PREFIX}/share/applications/busenje.desktop")
file(READ "${entry}" text)
foreach(line "Exec=${PREFIX}/bin/busenje" "Path=${PREFIX}/share/busenje" "Icon=busenje")
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
file(REMOVE_RECURSE "${PREFIX}")
