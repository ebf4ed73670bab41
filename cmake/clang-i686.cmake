# 32-bit Windows (vantora.exe) built by clang and lld.
set(VANTORA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/clang-mingw.cmake)
