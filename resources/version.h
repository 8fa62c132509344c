// The plugin's version, held here alone: the version resource, the About box and the
// release (the zips' names and the plugin list entries, through cmake/version.cmake)
// all take it from these two numbers.
#pragma once

#define TARNWICK_VERSION_MAJOR 1
#define TARNWICK_VERSION_MINOR 0

#define TARNWICK_TEXT_OF(x) #x
#define TARNWICK_TEXT(x) TARNWICK_TEXT_OF(x)
// "1.0": a narrow literal, which a wide literal beside it widens.
#define TARNWICK_VERSION \
    TARNWICK_TEXT(TARNWICK_VERSION_MAJOR) "." TARNWICK_TEXT(TARNWICK_VERSION_MINOR)
