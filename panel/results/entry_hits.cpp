#include "panel/results/entry_hits.hpp"

#include <algorithm>
#include <deque>
#include <unordered_map>

namespace tarnwick {

void EntryHits::searched(const SearchList& list) {
    rows_.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::optional<std::int32_t> index;
        if (list[i].enabled) index = static_cast<std::int32_t>(i);
        rows_.push_back({list[i].text, index});
    }
}

void EntryHits::follow(const SearchList& list) {
    if (rows_.empty()) return;
    // Per text, the search indices of its rows, in list order; hashed, since a list may
    // hold ten thousand strings.
    std::unordered_map<std::u16string, std::deque<std::optional<std::int32_t>>> byText;
    for (Row& row : rows_) byText[std::move(row.text)].push_back(row.searchIndex);
    rows_.clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::optional<std::int32_t> index;
        const auto same = byText.find(list[i].text);
        if (same != byText.end() && !same->second.empty()) {
            index = same->second.front();
            same->second.pop_front();
        }
        rows_.push_back({list[i].text, index});
    }
}

std::vector<std::u16string> EntryHits::texts(std::size_t entryCount,
                                             const MatchList& matches) const {
    // One pass over the results, counting by the entry index each carries; removals since
    // the search leave indices beyond the list's present size.
    std::size_t indexLimit = 0;
    for (const Row& row : rows_)
        if (row.searchIndex)
            indexLimit = std::max(indexLimit, static_cast<std::size_t>(*row.searchIndex) + 1);
    std::vector<std::size_t> counts(indexLimit, 0);
    for (const SearchMatch& match : matches)
        if (match.entryIndex >= 0 && static_cast<std::size_t>(match.entryIndex) < counts.size())
            ++counts[static_cast<std::size_t>(match.entryIndex)];

    std::vector<std::u16string> result(entryCount);
    for (std::size_t i = 0; i < std::min(entryCount, rows_.size()); ++i) {
        if (!rows_[i].searchIndex) continue;
        const std::string digits =
            std::to_string(counts[static_cast<std::size_t>(*rows_[i].searchIndex)]);
        result[i].assign(digits.begin(), digits.end());
    }
    return result;
}

}  // namespace tarnwick
