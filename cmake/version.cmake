# TARNWICK_VERSION ("1.0"), read from resources/version.h, the one place that holds it.
foreach(part MAJOR MINOR)
    file(STRINGS ${PROJECT_SOURCE_DIR}/resources/version.h line
        REGEX "^#define TARNWICK_VERSION_${part} [0-9]+$")
    if(NOT line)
        message(FATAL_ERROR "resources/version.h defines no TARNWICK_VERSION_${part}")
    endif()
    string(REGEX REPLACE ".* " "" TARNWICK_VERSION_${part} "${line}")
endforeach()
set(TARNWICK_VERSION ${TARNWICK_VERSION_MAJOR}.${TARNWICK_VERSION_MINOR})
