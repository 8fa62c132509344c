#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/search_match.hpp"

namespace tarnwick {

// Stepping through the results from the editor's selection. Both search the ordered list
// in logarithmic time and wrap round at its ends; none for an empty list.

// The first result that starts after `selectionStart`, else the first of all.
std::optional<std::size_t> nextResultIndex(const MatchList& matches, std::int64_t selectionStart);

// The last result that starts before `selectionStart`, else the last of all.
std::optional<std::size_t> previousResultIndex(const MatchList& matches,
                                               std::int64_t selectionStart);

}  // namespace tarnwick
