#pragma once

#include "core/list/search_list.hpp"

namespace tarnwick {

// After `now` was loaded again from the file, gives each of its entries the identity of
// the entry of `before` it is: of the entries with its text, in their order (another
// instance appends and deletes, so an entry only ever moves up). An entry new to the list
// keeps the new identity it was loaded with.
void carryIdentities(const SearchList& before, SearchList& now);

}  // namespace tarnwick
