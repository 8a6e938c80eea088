# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX
# threads variant, which std::thread needs):
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MIVO_MINGW_PREFIXO x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MIVO_MINGW_PREFIXO}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MIVO_MINGW_PREFIXO}-g++-posix)
set(CMAKE_RC_COMPILER ${MIVO_MINGW_PREFIXO}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MIVO_MINGW_PREFIXO})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs carry the compiler's runtime (libstdc++, libgcc, winpthread),
# so that they run without its DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
