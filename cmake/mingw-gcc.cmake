# Cross build for Windows with the MinGW-w64 posix-thread GCC (the
# win32-thread one lacks std::mutex, which GoogleTest needs). Included by
# mingw-i686.cmake and mingw-x86_64.cmake, which name the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANTORA_MINGW_PROCESSOR})
set(VANTORA_MINGW_TRIPLE ${VANTORA_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTORA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTORA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTORA_MINGW_TRIPLE}-windres)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)
