# Cross build for Windows with Debian's clang and lld: a second compiler over
# the same MinGW-w64 sysroot and the posix-thread GCC's libstdc++ and runtime
# libraries (the win32-thread ones lack std::mutex, which GoogleTest needs).
# Included by clang-i686.cmake and clang-x86_64.cmake, which name the target.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VANTORA_MINGW_PROCESSOR})
set(VANTORA_MINGW_TRIPLE ${VANTORA_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${VANTORA_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER_TARGET ${VANTORA_MINGW_TRIPLE})
# The resource compiler of the MinGW-w64 binutils, as in the GCC build.
set(CMAKE_RC_COMPILER ${VANTORA_MINGW_TRIPLE}-windres)
set(CMAKE_SYSROOT /usr/${VANTORA_MINGW_TRIPLE})

# clang does not recognise Debian's versioned GCC directories ("12-posix"), so
# name the posix-thread one outright: its libstdc++ headers, crtbegin.o and
# crtend.o, libgcc and libstdc++. Its own driver tells where it lives.
execute_process(
  COMMAND ${VANTORA_MINGW_TRIPLE}-gcc-posix -print-libgcc-file-name
  OUTPUT_VARIABLE VANTORA_LIBGCC
  OUTPUT_STRIP_TRAILING_WHITESPACE
  RESULT_VARIABLE VANTORA_LIBGCC_RESULT)
if(NOT VANTORA_LIBGCC_RESULT EQUAL 0 OR NOT EXISTS "${VANTORA_LIBGCC}")
  message(FATAL_ERROR "${VANTORA_MINGW_TRIPLE}-gcc-posix is needed for its libstdc++ and runtime")
endif()
get_filename_component(VANTORA_GCC_DIR "${VANTORA_LIBGCC}" DIRECTORY)
set(VANTORA_CXX_HEADERS ${VANTORA_GCC_DIR}/include/c++)

set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${VANTORA_CXX_HEADERS} -isystem ${VANTORA_CXX_HEADERS}/${VANTORA_MINGW_TRIPLE} -isystem ${VANTORA_CXX_HEADERS}/backward")
# -B finds crtbegin.o and crtend.o, -L libgcc and libstdc++; -pthread brings in
# winpthreads, which the posix-thread libstdc++ and libgcc_eh call.
set(VANTORA_LINK_FLAGS "-fuse-ld=lld -B${VANTORA_GCC_DIR} -L${VANTORA_GCC_DIR} -pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${VANTORA_LINK_FLAGS}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${VANTORA_LINK_FLAGS}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${VANTORA_LINK_FLAGS}")

include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)
