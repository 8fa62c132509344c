#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/search/search_match.hpp"
#include "core/search/shared_text.hpp"

namespace tarnwick {

// What "Copy All Lines" puts on the clipboard: the line of every result, a line with
// several results once, in document order, joined by CR LF without one after the last.
// `lineText` reads a line of the results' document; each line is read once.
std::u16string matchingLinesText(const MatchList& matches,
                                 const std::function<SharedText(std::int32_t line)>& lineText);

}  // namespace tarnwick
