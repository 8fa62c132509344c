#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/list/search_entry.hpp"
#include "core/search/document_encoding.hpp"
#include "core/search/editor_view.hpp"
#include "core/search/search_match.hpp"

namespace tarnwick {

// Bytes of a document from `start` up to but not including `end`.
struct ByteSpan {
    std::int64_t start = 0;
    std::int64_t end = 0;

    bool operator==(const ByteSpan&) const = default;
};

// Why the editor found nothing for an entry at all: its regular expression.
enum class Rejection { none, invalid, failed };

// Finds one entry's matches through the editor's target search, one at a time, with the
// entry's options. An entry that cannot be written in the document's code page finds
// nothing. No empty match is ever returned: the search steps past it by one character.
class EntryFinder {
public:
    // What `longestMatch` says of a regular expression: its matches have no bound.
    static constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max() / 4;

    EntryFinder(const EditorView& view, const DocumentEncoding& encoding, const SearchEntry& entry,
                std::int32_t entryIndex);

    bool findsAnything() const { return !needle_.empty() && rejection_ == Rejection::none; }
    // At least the bytes of any match: a case-insensitive match of a character may take up
    // to three times the bytes of the character looked for.
    std::int64_t longestMatch() const {
        return regex_ ? kUnbounded : 4 * static_cast<std::int64_t>(needle_.size());
    }
    std::int32_t entryIndex() const { return entryIndex_; }
    // Set once the editor refused the entry's regular expression; it then finds nothing.
    Rejection rejection() const { return rejection_; }

    // The first non-empty match that starts inside `target`, as its bytes; none when there
    // is none.
    std::optional<ByteSpan> next(ByteSpan target) const;
    // The record of a match `next` found, with its line.
    SearchMatch collect(ByteSpan found) const;

private:
    // The first match, empty or not, a regular expression has from `at` on, with the
    // character before `at` judged as a whole search judges it.
    std::optional<ByteSpan> nextFrom(std::int64_t at, std::int64_t end) const;
    bool mayContinueWord(std::int64_t at) const;
    // One target search.
    std::optional<ByteSpan> searchOnce(std::int64_t start, std::int64_t end) const;

    const EditorView& view_;
    std::string needle_;
    std::uintptr_t flags_ = 0;
    bool regex_ = false;
    std::int32_t entryIndex_;
    // Learnt from the editor's answer; the same pattern is never sent again.
    mutable Rejection rejection_ = Rejection::none;
};

}  // namespace tarnwick
