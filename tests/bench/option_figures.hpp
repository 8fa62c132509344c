#pragma once

namespace tarnwick::bench {

// A Search of the 20 MB log for one string at a time: a literal, a whole word and a regular
// expression, each against the host's own search of the same pattern with the same flags,
// one target search a match by direct calls.
void optionFigures();

}  // namespace tarnwick::bench
