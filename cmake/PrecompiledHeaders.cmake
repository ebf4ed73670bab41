# The system and library headers nearly every file of a target includes are
# parsed once per target instead of once per file: with <windows.h> and
# GoogleTest that is half of each file's compile time.
option(VANTORA_PCH "Precompile the headers most files include" ON)

# vantora_precompile(target [WINDOWS] [GTEST]): WINDOWS adds the Windows and
# common controls headers (never for the portable core), GTEST GoogleTest's.
function(vantora_precompile target)
  cmake_parse_arguments(PCH "WINDOWS;GTEST" "" "" ${ARGN})
  if(NOT VANTORA_PCH)
    return()
  endif()
  set(headers <algorithm> <cstdint> <functional> <map> <memory> <optional> <string> <string_view> <vector>)
  if(PCH_WINDOWS)
    list(PREPEND headers <windows.h> <commctrl.h>)
  endif()
  if(PCH_GTEST)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
