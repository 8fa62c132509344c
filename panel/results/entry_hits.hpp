#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/list/search_list.hpp"
#include "core/search/search_match.hpp"

namespace tarnwick {

// The search list's Hits column: for each entry, how many of the current results the last
// search found for it. A count stays with its string whatever happens to the list around
// it (a Delete, an Add, the list loaded again from another instance's save), and its
// results are those of the string's index at search time, so the count follows results
// dropped later.
class EntryHits {
public:
    // A search looked for the list's enabled entries.
    void searched(const SearchList& list);
    // The results were cleared: no entry has a count.
    void cleared() { rows_.clear(); }
    // The list changed: each entry takes the count of an entry with its text at the last
    // search, entries of one text in their order (an entry only ever moves up, as others
    // before it go); an entry new to the list has none.
    void follow(const SearchList& list);

    // One text per entry of a list of `entryCount`: the decimal count, 0 included, for an
    // entry the last search looked for; empty for any other (disabled then, or added since).
    std::vector<std::u16string> texts(std::size_t entryCount, const MatchList& matches) const;

private:
    struct Row {
        std::u16string text;
        // The entry's index at the last search, when it was searched.
        std::optional<std::int32_t> searchIndex;
    };
    std::vector<Row> rows_;
};

}  // namespace tarnwick
