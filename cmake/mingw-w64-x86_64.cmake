# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 toolchain
# (packages g++-mingw-w64-x86-64-posix and binutils-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GARA_MINGW x86_64-w64-mingw32)
# The posix flavour of the compiler: its C++ library has the whole of
# <thread> and <mutex>, which the win32 flavour of GCC 12 lacks.
set(CMAKE_C_COMPILER ${GARA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GARA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${GARA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GARA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked statically: the programs need no DLL beyond the
# system's own (no libstdc++, libgcc or winpthread beside them). The linker
# writes no time stamp into the header, so two builds give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")
