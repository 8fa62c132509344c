#pragma once

#include <cstddef>
#include <vector>

#include "core/search/editor_view.hpp"
#include "core/search/entry_finder.hpp"
#include "core/results/live_matches.hpp"
#include "core/list/search_list.hpp"

namespace tarnwick {

// How the held results must change so that they are what a search of the whole document
// would find now, after edits of `spans` only.
struct SpanResults {
    std::vector<std::size_t> removedRows;  // ascending
    MatchList added;                       // ordered by position
};

// Searches the enabled entries of `entries` again in and around the edited `spans`
// (ascending, apart), against the `held` results, which follow the edits and hold no
// dropped rows. A search takes each entry's matches one after another, each from where
// the previous one ended; so for each entry it resumes where the held matches before a
// span leave off, and goes on until it is back in step with the held matches after it:
// from there on, they are what it would find. For a literal string that is the span
// widened by the string's length on each side, whatever the length of its line; for a
// regular expression, whose matches have no bound, it resumes after the held match before
// the span and may go on to the document's end.
SpanResults searchSpans(const EditorView& view, const SearchList& entries, const LiveMatches& held,
                        const std::vector<ByteSpan>& spans);

}  // namespace tarnwick
