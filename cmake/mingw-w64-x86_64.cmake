# SPDX-License-Identifier: Apache-2.0
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (POSIX threads,
# which std::thread and std::mutex need). KESTRA_WINDOWS_QT names the prefix of
# the Qt built for Windows by scripts/windows.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
if(DEFINED ENV{KESTRA_WINDOWS_QT})
    list(APPEND CMAKE_FIND_ROOT_PATH "$ENV{KESTRA_WINDOWS_QT}")
endif()
if(KESTRA_WINDOWS_QT)
    list(APPEND CMAKE_FIND_ROOT_PATH "${KESTRA_WINDOWS_QT}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Tests run under Wine, which the build calls for each one.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
