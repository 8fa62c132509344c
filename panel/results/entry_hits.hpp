#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/list/search_list.hpp"
#include "core/search/search_match.hpp"
#include "core/search/search_run.hpp"

namespace tarnwick {

// The search list's Hits column: for each entry, how many of the current results the last
// search found for it. A count belongs to the entry's identity, so it stays with its
// string whatever happens to the list around it (a Delete, an Add, the list loaded again
// from another instance's save), and its results are those of the entry's index at search
// time, so the count follows results dropped later.
class EntryHits {
public:
    // A search looked for the list's enabled entries; the editor refused the regular
    // expressions of `rejected`.
    void searched(const SearchList& list, const std::vector<RejectedEntry>& rejected);
    // The results were cleared: no entry has a count.
    void cleared() { searched_.clear(); }

    // One text per entry of `list`: the decimal count, 0 included, for an entry the last
    // search looked for, "invalid" for one whose regular expression was refused; empty for
    // any other (disabled then, or added since).
    std::vector<std::u16string> texts(const SearchList& list, const MatchList& matches) const;

private:
    struct Searched {
        std::int32_t index;  // at the last search
        bool rejected;
    };
    std::unordered_map<EntryId, Searched> searched_;
};

}  // namespace tarnwick
