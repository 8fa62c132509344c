#pragma once

#include <cstdint>

#include "core/search/document_encoding.hpp"
#include "core/search/editor_view.hpp"
#include "core/list/search_entry.hpp"
#include "core/list/search_list.hpp"
#include "core/search/search_match.hpp"

namespace tarnwick {

// Finds every literal, case-insensitive occurrence of the enabled entries through the
// editor's own target search. It keeps nothing between runs.
class DocumentSearcher {
public:
    // Every match of every enabled entry, sorted by line and position. Disabled entries
    // send nothing to the view but keep their index. The entries are looked for as the
    // document's code page spells them, asked once per search.
    MatchList searchAll(const EditorView& view, const SearchList& list) const;

    // Appends the entry's matches in document order. Matches never overlap: each search
    // starts where the previous match ended. An entry that cannot be written in the
    // document's code page finds nothing.
    void searchEntry(const EditorView& view, const DocumentEncoding& encoding,
                     const SearchEntry& entry, std::int32_t entryIndex, MatchList& matches) const;
};

}  // namespace tarnwick
