#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/search_list.hpp"
#include "core/search_match.hpp"

namespace tarnwick {

// The search list's Hits column: for each entry, how many of the current results the last
// search found for it. An entry keeps its count when another is removed, and its results
// are those of its index at search time, so the count follows results dropped later.
class EntryHits {
public:
    // A search looked for the list's enabled entries.
    void searched(const SearchList& list);
    // The results were cleared: no entry has a count.
    void cleared() { searchIndex_.clear(); }
    // Entry `index` left the list; the entries after it move up with their counts.
    void removed(std::ptrdiff_t index);

    // One text per entry of a list of `entryCount`: the decimal count, 0 included, for an
    // entry the last search looked for; empty for any other (disabled then, or added since).
    std::vector<std::u16string> texts(std::size_t entryCount, const MatchList& matches) const;

private:
    // Per entry of the list, in its order: its index at the last search, when searched.
    std::vector<std::optional<std::int32_t>> searchIndex_;
};

}  // namespace tarnwick
