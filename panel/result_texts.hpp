#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// The results label after a search: the plural stands for one match too.
std::u16string resultsLabelText(std::size_t matchCount);

// The results label before any search and after Clear.
inline constexpr char16_t kEmptyResultsLabel[] = u"Results:";

// The Line column: lines are 0-based inside, 1-based on the screen.
std::u16string lineColumnText(std::int32_t line);

}  // namespace tarnwick
