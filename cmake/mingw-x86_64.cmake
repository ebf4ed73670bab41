# 64-bit Windows (vantora64.exe) built by MinGW-w64 GCC.
set(VANTORA_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-gcc.cmake)
