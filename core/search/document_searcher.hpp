#pragma once

#include "core/list/search_list.hpp"
#include "core/search/editor_view.hpp"
#include "core/search/search_match.hpp"

namespace tarnwick {

// Finds every match of the enabled entries, each with its own options, through the
// editor's own target search, from start to end at once. It keeps nothing between runs.
class DocumentSearcher {
public:
    // Every match of every enabled entry, sorted by line and position, as a search run
    // finds them (see SearchRun). Throws std::bad_alloc when memory runs out, holding
    // nothing of what it found.
    MatchList searchAll(const EditorView& view, const SearchList& list) const;
};

}  // namespace tarnwick
