# Header-only libraries come from Debian's packages. Only their own folders are put on
# the include path, so the cross compiler never sees the host's /usr/include.
find_path(TARNWICK_UTF8CPP_INCLUDE_DIR utf8.h
    PATHS /usr/include/utf8cpp NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(TARNWICK_NLOHMANN_PARENT_DIR nlohmann/json.hpp
    PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# nlohmann/json lives directly in /usr/include: link only its folder into one of ours.
set(TARNWICK_THIRD_PARTY_INCLUDE_DIR ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${TARNWICK_THIRD_PARTY_INCLUDE_DIR})
file(CREATE_LINK ${TARNWICK_NLOHMANN_PARENT_DIR}/nlohmann
    ${TARNWICK_THIRD_PARTY_INCLUDE_DIR}/nlohmann SYMBOLIC)

# Googletest: natively Debian's built libraries; for Windows built from Debian's sources
# with the cross compiler.
if(WIN32)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()
