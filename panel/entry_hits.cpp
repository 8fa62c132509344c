#include "panel/entry_hits.hpp"

#include <algorithm>

namespace tarnwick {

void EntryHits::searched(const SearchList& list) {
    searchIndex_.assign(list.size(), std::nullopt);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].enabled) searchIndex_[i] = static_cast<std::int32_t>(i);
}

void EntryHits::removed(std::ptrdiff_t index) {
    if (index >= 0 && static_cast<std::size_t>(index) < searchIndex_.size())
        searchIndex_.erase(searchIndex_.begin() + index);
}

std::vector<std::u16string> EntryHits::texts(std::size_t entryCount,
                                             const MatchList& matches) const {
    // One pass over the results, counting by the entry index each carries; removals since
    // the search leave indices beyond the list's present size.
    std::size_t indexLimit = 0;
    for (const auto& index : searchIndex_)
        if (index) indexLimit = std::max(indexLimit, static_cast<std::size_t>(*index) + 1);
    std::vector<std::size_t> counts(indexLimit, 0);
    for (const SearchMatch& match : matches)
        if (match.entryIndex >= 0 && static_cast<std::size_t>(match.entryIndex) < counts.size())
            ++counts[static_cast<std::size_t>(match.entryIndex)];

    std::vector<std::u16string> result(entryCount);
    for (std::size_t i = 0; i < std::min(entryCount, searchIndex_.size()); ++i) {
        if (!searchIndex_[i]) continue;
        const std::string digits =
            std::to_string(counts[static_cast<std::size_t>(*searchIndex_[i])]);
        result[i].assign(digits.begin(), digits.end());
    }
    return result;
}

}  // namespace tarnwick
