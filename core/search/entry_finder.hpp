#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/search/document_encoding.hpp"
#include "core/search/editor_view.hpp"
#include "core/list/search_entry.hpp"
#include "core/search/search_match.hpp"

namespace tarnwick {

// Bytes of a document from `start` up to but not including `end`.
struct ByteSpan {
    std::int64_t start = 0;
    std::int64_t end = 0;

    bool operator==(const ByteSpan&) const = default;
};

// Finds one entry's matches through the editor's target search, one at a time. An entry
// that cannot be written in the document's code page finds nothing.
class EntryFinder {
public:
    EntryFinder(const EditorView& view, const DocumentEncoding& encoding, const SearchEntry& entry,
                std::int32_t entryIndex);

    bool findsAnything() const { return !needle_.empty(); }
    // At least the bytes of any match: a case-insensitive match of a character may take up
    // to three times the bytes of the character looked for.
    std::int64_t longestMatch() const { return 4 * static_cast<std::int64_t>(needle_.size()); }
    std::int32_t entryIndex() const { return entryIndex_; }

    // The first match that lies inside `target`, as its bytes; none when there is none.
    std::optional<ByteSpan> next(ByteSpan target) const;
    // The record of a match `next` found, with its line.
    SearchMatch collect(ByteSpan found) const;

private:
    const EditorView& view_;
    std::string needle_;
    std::int32_t entryIndex_;
};

}  // namespace tarnwick
