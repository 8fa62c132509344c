#pragma once

#include <cstdint>
#include <vector>

#include "core/search/shared_text.hpp"

namespace tarnwick {

// One match found by a search. Positions and lengths are bytes of the document's text in
// its code page, as it was when searched. The matches of one search share their texts: an
// entry's text is stored once for all its matches, a line's once for the entry's matches
// on it.
struct SearchMatch {
    std::int32_t line = 0;        // 0-based line holding the first byte
    SharedText entryText;         // the entry's own text, not the document's bytes
    SharedText lineContent;       // the whole line without its line end
    std::int64_t position = 0;    // first byte of the match
    std::int64_t length = 0;      // as the editor reports it, not from entryText
    std::int32_t entryIndex = 0;  // index of the entry in the list at search time
    std::int32_t column = 0;      // the match's first UTF-16 unit in lineContent
    std::uint32_t bytesHash = 0;  // of the matched bytes, as the text check took them
};

// The result of one search, ordered by line and then by position.
using MatchList = std::vector<SearchMatch>;

// Merges lists that are each ordered by line and position (one per entry, in document
// order) into one such list, moving the records. Matches at the same place come in the
// order of their lists; nothing promises that order to the user.
MatchList mergeByLineAndPosition(std::vector<MatchList> runs);

}  // namespace tarnwick
