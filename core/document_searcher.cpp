#include "core/document_searcher.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "core/line_reader.hpp"
#include "core/text_arena.hpp"
#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

// Reads what the editor reports of the match just found and the line that holds it.
SearchMatch collectMatch(const EditorView& view, LineReader& lines, const SharedText& entryText,
                         std::int32_t entryIndex, std::intptr_t matchStart) {
    const std::intptr_t matchEnd = view.send(SCI_GETTARGETEND);
    const auto line = static_cast<std::int32_t>(
        view.send(SCI_LINEFROMPOSITION, static_cast<std::uintptr_t>(matchStart)));
    LineReader::Place place = lines.read(line, matchStart);
    return {line,       entryText,   std::move(place.text), matchStart, matchEnd - matchStart,
            entryIndex, place.column};
}

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
    TextArena texts;
    // Each entry's matches come in document order, so merging them orders the whole list
    // in one pass instead of sorting it.
    std::vector<MatchList> runs;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].enabled)
            searchEntry(view, encoding, texts, list[i], static_cast<std::int32_t>(i),
                        runs.emplace_back());
    }
    return mergeByLineAndPosition(std::move(runs));
}

void DocumentSearcher::searchEntry(const EditorView& view, const DocumentEncoding& encoding,
                                   TextArena& texts, const SearchEntry& entry,
                                   std::int32_t entryIndex, MatchList& matches) const {
    if (entry.text.empty()) return;
    const std::string needle = encoding.encode(entry.text);
    if (needle.empty()) return;  // no exact form in the document's code page
    const std::intptr_t documentLength = view.send(SCI_GETLENGTH);
    if (documentLength <= 0) return;

    const SharedText entryText = texts.add(entry.text);  // one copy for all its matches
    LineReader lines(view, encoding, texts);
    std::intptr_t searchStart = 0;
    for (;;) {
        view.send(SCI_SETTARGETSTART, static_cast<std::uintptr_t>(searchStart));
        view.send(SCI_SETTARGETEND, static_cast<std::uintptr_t>(documentLength));
        view.send(SCI_SETSEARCHFLAGS, 0);
        const std::intptr_t matchStart = view.send(SCI_SEARCHINTARGET, needle.size(),
                                                   reinterpret_cast<std::intptr_t>(needle.data()));
        if (matchStart < 0) return;
        const SearchMatch& match =
            matches.emplace_back(collectMatch(view, lines, entryText, entryIndex, matchStart));
        const std::intptr_t matchEnd = matchStart + static_cast<std::intptr_t>(match.length);
        // An editor that reported a match not past the search start would otherwise keep
        // the host's thread in this loop for ever.
        if (matchEnd >= documentLength || matchEnd <= searchStart) return;
        searchStart = matchEnd;
    }
}

}  // namespace tarnwick
