# Cross-compiles for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNWICK_MINGW_PREFIX i686-w64-mingw32)
set(TARNWICK_WINDOWS_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
