# Toolchain of scripts/check_windows.sh: configures the project as a Windows
# (x86-64, MinGW-w64) build, so that every if(WIN32) branch of our CMake files
# and every Q_OS_WIN branch of our sources is taken, while Qt, FreeType and
# zlib come from this Debian machine's headers. Nothing is linked or run: the
# check only compiles with -fsyntax-only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Headers and libraries from the MinGW-w64 sysroot only: Debian's /usr/include
# holds glibc's headers, which must never reach a Windows compile. Packages
# (Qt's CMake files) are found on the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# What the project needs beyond the compiler (FreeType, zlib, Qt's Windows
# definitions), set up after project() and never in CMake's compiler checks.
set(CMAKE_PROJECT_ledglyph_INCLUDE "${CMAKE_CURRENT_LIST_DIR}/windows_check_project.cmake")
