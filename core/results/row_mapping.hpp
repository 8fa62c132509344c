#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/results/live_matches.hpp"
#include "core/results/result_lines.hpp"

namespace tarnwick {

// Rows of the results list before and after a change of the results.
struct RowsChanged {
    std::vector<std::size_t> removed;  // numbered as they were, ascending
    std::vector<std::size_t> added;    // numbered as they are, ascending
};

// Where a row is after the change; nothing for a removed row.
std::optional<std::size_t> rowAfter(const RowsChanged& rows, std::size_t row);

// What a row of the results list showed: its string at a place of a line.
struct ShownResult {
    std::int32_t entryIndex = 0;
    ResultLines::Place place;
};

// After the document was searched again whole: the row of `now` that shows what `before`
// showed (the same string at the same place of a line with the same text), the one nearest
// to row `near`, looked for among the rows a few thousand either side of it; nothing when
// none of them does. `placeOf` reads a row's line as it is now.
std::optional<std::size_t> sameResult(
    const LiveMatches& now, const ShownResult& before, std::size_t near,
    const std::function<ResultLines::Place(std::size_t row)>& placeOf);

}  // namespace tarnwick
