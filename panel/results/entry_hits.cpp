#include "panel/results/entry_hits.hpp"

#include <algorithm>

namespace tarnwick {

void EntryHits::searched(const SearchList& list, const std::vector<RejectedEntry>& rejected) {
    searched_.clear();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].enabled) searched_[list[i].id] = {static_cast<std::int32_t>(i), false};
    for (const RejectedEntry& entry : rejected)
        if (static_cast<std::size_t>(entry.entryIndex) < list.size())
            searched_[list[entry.entryIndex].id].rejected = true;
}

std::vector<std::u16string> EntryHits::texts(const SearchList& list,
                                             const MatchList& matches) const {
    // One pass over the results, counting by the entry index each carries.
    std::size_t indexLimit = 0;
    for (const auto& [id, entry] : searched_)
        indexLimit = std::max(indexLimit, static_cast<std::size_t>(entry.index) + 1);
    std::vector<std::size_t> counts(indexLimit, 0);
    for (const SearchMatch& match : matches)
        if (match.entryIndex >= 0 && static_cast<std::size_t>(match.entryIndex) < counts.size())
            ++counts[static_cast<std::size_t>(match.entryIndex)];

    std::vector<std::u16string> result(list.size());
    if (searched_.empty()) return result;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const auto entry = searched_.find(list[i].id);
        if (entry == searched_.end()) continue;
        if (entry->second.rejected) {
            result[i] = u"invalid";
            continue;
        }
        const std::string digits =
            std::to_string(counts[static_cast<std::size_t>(entry->second.index)]);
        result[i].assign(digits.begin(), digits.end());
    }
    return result;
}

}  // namespace tarnwick
