# Cross-compiles for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARNWICK_MINGW_PREFIX x86_64-w64-mingw32)
set(TARNWICK_WINDOWS_ARCH x64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
