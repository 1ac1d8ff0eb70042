# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers, in their POSIX threads
# variant, which has the std::thread and std::mutex that Qt needs. Libraries and packages
# are looked for only under the compilers' own root and BUSENJE_WINDOWS_PREFIX, where
# scripts/windows-build.sh puts Qt, QCustomPlot and GoogleTest built for Windows; the
# build machine's own libraries never mix in.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BUSENJE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BUSENJE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BUSENJE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${BUSENJE_MINGW}-windres)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BUSENJE_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${BUSENJE_MINGW} ${BUSENJE_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLLs a Windows program needs, read by the build machine's objdump for MinGW.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${BUSENJE_MINGW}-objdump)

# Windows programs made here run under Wine: the tests, and test discovery.
find_program(BUSENJE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(BUSENJE_WINE NAMES wine64 wine)
if(BUSENJE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BUSENJE_WINE})
endif()
