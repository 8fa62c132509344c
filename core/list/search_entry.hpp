#pragma once

#include <cstdint>
#include <string>

#include "core/list/highlight_palette.hpp"

namespace tarnwick {

// How an entry's text is matched; all off is a case-insensitive literal string.
struct MatchOptions {
    bool matchCase = false;
    bool wholeWord = false;
    bool regex = false;

    bool any() const { return matchCase || wholeWord || regex; }
    bool operator==(const MatchOptions&) const = default;
};

// Who an entry is while the plugin runs: results, marks and Hits keep it, not the entry's
// row, so they follow the entry through Deletes, Adds and reloads of the list. Never
// written to the file; 0 is none yet.
using EntryId = std::uint64_t;

// A new identity, never given before in this process.
EntryId newEntryId();

// One search string of the user's list.
struct SearchEntry {
    std::u16string text;
    bool enabled = true;
    Colorref color = HighlightPalette[0];
    MatchOptions options{};
    EntryId id = 0;
};

// Two entries are equal when they hold the same values: an entry loaded again from the file
// is equal to the one it was, whatever identity it was given.
inline bool operator==(const SearchEntry& a, const SearchEntry& b) {
    return a.text == b.text && a.enabled == b.enabled && a.color == b.color &&
           a.options == b.options;
}

}  // namespace tarnwick
