# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread and
# std::mutex). Programs built with it run here under Wine, which the tests use as their emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MinGWTriple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MinGWTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MinGWTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${MinGWTriple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MinGWTriple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
find_program(WineLoader NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(WineLoader)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WineLoader})
endif()
# This compiler (GCC 12) reports overlapping copies inside std::string's own insert where there
# are none (GCC bug 105329); the native build's checks stand for the code.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
