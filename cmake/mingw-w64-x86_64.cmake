# Cross build for 64-bit Windows with the posix thread model (GoogleTest needs it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRAWL_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TRAWL_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRAWL_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TRAWL_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TRAWL_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# One self-contained executable: no libstdc++, libgcc or winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and benchmarks run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run)
