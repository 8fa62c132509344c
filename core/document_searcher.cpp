#include "core/document_searcher.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

// Fetches the line with SCI_GETLINE, which writes no terminating zero, into `buffer` (kept
// from match to match, so a search does not allocate one per match) and decodes it without
// its line end: any mix of CR and LF at the end, nothing at the start.
std::u16string fetchLine(const EditorView& view, const DocumentEncoding& encoding, std::int32_t line,
                         std::string& buffer) {
    const std::intptr_t length = view.send(SCI_LINELENGTH, static_cast<std::uintptr_t>(line));
    buffer.assign(static_cast<std::size_t>(std::max<std::intptr_t>(length, 0)) + 1, '\0');
    view.send(SCI_GETLINE, static_cast<std::uintptr_t>(line),
              reinterpret_cast<std::intptr_t>(buffer.data()));
    const std::int32_t decoded = static_cast<std::int32_t>(length);
    if (decoded <= 0) return {};
    std::string_view bytes(buffer.data(), static_cast<std::size_t>(decoded));
    // CR and LF are single bytes that no UTF-8 sequence and no double-byte character of
    // the editor's code pages contains: stripping them before decoding gives the same
    // text as stripping U+000D and U+000A after it.
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.remove_suffix(1);
    return encoding.decode(bytes);
}

// Reads what the editor reports of the match just found and the line that holds it.
SearchMatch collectMatch(const EditorView& view, const DocumentEncoding& encoding,
                         const SearchEntry& entry, std::int32_t entryIndex, std::intptr_t matchStart,
                         std::string& lineBuffer) {
    const std::intptr_t matchEnd = view.send(SCI_GETTARGETEND);
    const auto line = static_cast<std::int32_t>(
        view.send(SCI_LINEFROMPOSITION, static_cast<std::uintptr_t>(matchStart)));
    return SearchMatch{
        line,      entry.text, fetchLine(view, encoding, line, lineBuffer), matchStart, matchEnd - matchStart,
        entryIndex};
}

bool searchesAnything(const SearchList& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const SearchEntry& entry) { return entry.enabled && !entry.text.empty(); });
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
    if (entry.text.empty()) return;
    const std::string needle = encoding.encode(entry.text);
    if (needle.empty()) return;  // no exact form in the document's code page
    const std::intptr_t documentLength = view.send(SCI_GETLENGTH);
    if (documentLength <= 0) return;

    std::string lineBuffer;
    std::intptr_t searchStart = 0;
    for (;;) {
        view.send(SCI_SETTARGETSTART, static_cast<std::uintptr_t>(searchStart));
        view.send(SCI_SETTARGETEND, static_cast<std::uintptr_t>(documentLength));
        view.send(SCI_SETSEARCHFLAGS, 0);
        const std::intptr_t matchStart = view.send(SCI_SEARCHINTARGET, needle.size(),
                                                   reinterpret_cast<std::intptr_t>(needle.data()));
        if (matchStart < 0) return;
        const SearchMatch& match =
            matches.emplace_back(collectMatch(view, encoding, entry, entryIndex, matchStart, lineBuffer));
        const std::intptr_t matchEnd = matchStart + static_cast<std::intptr_t>(match.length);
        // An editor that reported a match not past the search start would otherwise keep
        // the host's thread in this loop for ever.
        if (matchEnd >= documentLength || matchEnd <= searchStart) return;
        searchStart = matchEnd;
    }
}

}  // namespace tarnwick
