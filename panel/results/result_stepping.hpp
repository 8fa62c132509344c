#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/results/live_matches.hpp"

namespace tarnwick {

// Stepping through the results from the editor's selection. Both search the ordered
// results in logarithmic time, as they are now, and wrap round at their ends; none for
// no results.

// The first result that starts after `selectionStart`, else the first of all.
std::optional<std::size_t> nextResultIndex(const LiveMatches& matches, std::int64_t selectionStart);

// The last result that starts before `selectionStart`, else the last of all.
std::optional<std::size_t> previousResultIndex(const LiveMatches& matches,
                                               std::int64_t selectionStart);

}  // namespace tarnwick
