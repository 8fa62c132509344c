#include "core/search/document_searcher.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "core/search/entry_finder.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

bool searchesAnything(const SearchList& list) {
    return std::any_of(list.begin(), list.end(), [](const SearchEntry& entry) {
        return entry.enabled && !entry.text.empty();
    });
}

}  // namespace

MatchList DocumentSearcher::searchAll(const EditorView& view, const SearchList& list) const {
    // A list with nothing to look for leaves the view alone, the code page query included.
    if (!searchesAnything(list)) return {};
    const DocumentEncoding encoding = DocumentEncoding::of(view);
    // Each entry's matches come in document order, so merging them orders the whole list
    // in one pass instead of sorting it.
    std::vector<MatchList> runs;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].enabled)
            searchEntry(view, encoding, list[i], static_cast<std::int32_t>(i), runs.emplace_back());
    }
    return mergeByLineAndPosition(std::move(runs));
}

void DocumentSearcher::searchEntry(const EditorView& view, const DocumentEncoding& encoding,
                                   const SearchEntry& entry, std::int32_t entryIndex,
                                   MatchList& matches) const {
    const EntryFinder finder(view, encoding, entry, entryIndex);
    if (!finder.findsAnything()) return;
    const std::intptr_t documentLength = view.send(SCI_GETLENGTH);
    std::int64_t searchStart = 0;
    while (const auto found = finder.next({searchStart, documentLength})) {
        matches.push_back(finder.collect(*found));
        // An editor that reported a match not past the search start would otherwise keep
        // the host's thread in this loop for ever.
        if (found->end >= documentLength || found->end <= searchStart) return;
        searchStart = found->end;
    }
}

}  // namespace tarnwick
