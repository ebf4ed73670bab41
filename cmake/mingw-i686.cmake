# 32-bit Windows (vantora.exe) built by MinGW-w64 GCC.
set(VANTORA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-gcc.cmake)
