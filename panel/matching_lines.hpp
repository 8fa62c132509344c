#pragma once

#include <string>

#include "core/search/search_match.hpp"

namespace tarnwick {

// What "Copy All Lines" puts on the clipboard: the line of every result, a line with
// several results once, in document order, joined by CR LF without one after the last.
std::u16string matchingLinesText(const MatchList& matches);

}  // namespace tarnwick
