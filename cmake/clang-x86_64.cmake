# 64-bit Windows (vantora64.exe) built by clang and lld.
set(VANTORA_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
