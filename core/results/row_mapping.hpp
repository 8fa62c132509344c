#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "core/results/live_matches.hpp"

namespace tarnwick {

// Rows of the results list before and after a change of the results.
struct RowsChanged {
    std::vector<std::size_t> removed;  // numbered as they were, ascending
    std::vector<std::size_t> added;    // numbered as they are, ascending
};

// Where a row is after the change; nothing for a removed row.
std::optional<std::size_t> rowAfter(const RowsChanged& rows, std::size_t row);

// After the document was searched again whole: the row of `now` that shows what `before`
// showed (the same string at the same place of a line with the same text), the one nearest
// to row `near`; nothing when no row does.
std::optional<std::size_t> sameResult(const LiveMatches& now, const SearchMatch& before,
                                      std::size_t near);

}  // namespace tarnwick
