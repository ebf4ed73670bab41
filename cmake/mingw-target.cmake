# What both compilers' Windows builds share: libraries and headers from the
# MinGW-w64 sysroot, and CTest running the executables under Wine: the
# 64-bit ones under wine64 in a 64-bit prefix of their own.
set(CMAKE_FIND_ROOT_PATH /usr/${VANTORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(VANTORA_MINGW_PROCESSOR STREQUAL "x86_64")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine64-run.sh)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
endif()
