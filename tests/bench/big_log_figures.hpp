#pragma once

namespace tarnwick::bench {

// A Search of a 200 MB log: the host's answers while it runs in slices, the sliced Search
// against the same in one go, how it ended and the peak memory.
void bigLogFigures();

}  // namespace tarnwick::bench
