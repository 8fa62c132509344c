// Compiles the layout checks of the host's records into the native build, so a change
// that breaks the layout the 64-bit host reads fails here first; the 32-bit layout is
// checked wherever the x86 build compiles the same header.
#include "host/host_records.hpp"
