# Cross-compiles for Windows with Debian's MinGW-w64 (posix threads). Included by the
# toolchain file of each architecture, which first sets CMAKE_SYSTEM_PROCESSOR,
# TARNWICK_MINGW_PREFIX (the compilers' prefix) and TARNWICK_WINDOWS_ARCH (x64 or x86, the
# name the release and the Wine runner use).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TARNWICK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWICK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWICK_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The host loads our DLL beside nothing of ours: the C++ runtime and winpthread are
# linked in, so the only imports are Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_RC_FLAGS_INIT "--codepage=65001")
