# Toolchain for cross-compiling plimko.exe for 64-bit Windows with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix-thread variant: its C++ runtime is complete, where the win32 one lacks
# parts of the thread library.
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# MinGW declares the POSIX localtime_r and gmtime_r, which the writer's stamp uses,
# only on request.
set(CMAKE_CXX_FLAGS_INIT -D_POSIX_THREAD_SAFE_FUNCTIONS=200112L)

# The C++ runtime and the thread library linked in, so that the .exe runs alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# A release executable carries no symbols: they would more than double its size.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)
