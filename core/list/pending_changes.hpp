#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/list/search_list.hpp"

namespace tarnwick {

// The changes this instance made to the list that the settings file does not hold yet,
// because their save failed: what took the list as the file last held it (`saved`) to the
// list the panel shows (`shown`). Entries are matched by their text, the n-th entry with a
// text in one list to the n-th with that text in the other, as duplicates are allowed.
//
// Made to a newer list another instance saved meanwhile, they keep what the user did: an
// entry added stays added, one deleted stays deleted, and one changed (its check box,
// colour or any other value) keeps the value it was given, whole.
class PendingChanges {
public:
    PendingChanges(const SearchList& saved, const SearchList& shown);

    bool empty() const { return added_.empty() && byText_.empty(); }

    // `newer` with these changes made to it: its entries in its order, less those deleted
    // here, those changed here with their value from here; then the entries added here, in
    // their order.
    SearchList appliedTo(const SearchList& newer) const;

private:
    // What happened to the entries of one text that the file held.
    struct TextChanges {
        // The n-th entry's value where it was changed here, by n; others are left out.
        std::unordered_map<std::size_t, SearchEntry> changed;
        // How many entries of the text were deleted here: the last ones are dropped.
        std::size_t deleted = 0;
    };

    std::unordered_map<std::u16string, TextChanges> byText_;
    std::vector<SearchEntry> added_;
};

}  // namespace tarnwick
