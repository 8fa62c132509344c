#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/search/shared_text.hpp"

namespace tarnwick {

// The results label after a search: the plural stands for one match too.
std::u16string resultsLabelText(std::size_t matchCount);

// The results label before any search and after Clear.
inline constexpr char16_t kEmptyResultsLabel[] = u"Results:";

// The Line column: lines are 0-based inside, 1-based on the screen.
std::u16string lineColumnText(std::int32_t line);

// The Content column: what a cell of `room` units shows of a match's line, the match
// starting at unit `column`. A line that fits is shown whole. A longer one, which would
// otherwise show its start and not the match, is shown from about 40 units before the
// match, with "…" where text was left out at the start, and cut to the room; neither end
// falls inside a surrogate pair.
std::u16string contentColumnText(const SharedText& line, std::size_t column, std::size_t room);

}  // namespace tarnwick
