#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>

namespace tarnwick {

// Does `work(first, end)` over the rows from `first` up to `count`, `partRows` at a time,
// until `deadline` has passed: a slice of long work that ends on time with one read of the
// clock a part, not a row. Returns the row it stopped before.
template <class Work>
std::size_t workInPartsUntil(std::size_t first, std::size_t count, std::size_t partRows,
                             std::chrono::steady_clock::time_point deadline, Work work) {
    while (first < count) {
        const std::size_t end = std::min(count, first + partRows);
        work(first, end);
        first = end;
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    return first;
}

}  // namespace tarnwick
