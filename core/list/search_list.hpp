#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/list/search_entry.hpp"

namespace tarnwick {

// The edit box is read into a buffer of this many UTF-16 units, terminator included,
// so an added text holds at most one unit less.
inline constexpr std::size_t kEntryTextBufferUnits = 512;

// The list view keeps a row's check box as a state image under this mask.
inline constexpr std::uint32_t kStateImageMask = 0xF000;
inline constexpr std::uint32_t kStateUnchecked = 0x1000;
inline constexpr std::uint32_t kStateChecked = 0x2000;

// The user's ordered list of search strings. An entry's index is its row in the panel; its
// identity stays with it when rows move.
class SearchList {
public:
    using Entries = std::vector<SearchEntry>;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const SearchEntry& operator[](std::size_t index) const { return entries_[index]; }
    Entries::const_iterator begin() const { return entries_.begin(); }
    Entries::const_iterator end() const { return entries_.end(); }

    // Appends the edit-box text as far as the edit box's buffer holds it, without a high
    // surrogate left at its end, stripped of leading and trailing spaces, enabled, with
    // the palette colour for the current count. Returns
    // false, changing nothing, when nothing but spaces was given.
    bool add(std::u16string_view editText);

    // Appends an entry as stored, colour, flag and options included; one without an
    // identity gets a new one.
    void append(SearchEntry entry);

    // The index of the entry with identity `id`; none when the list holds none.
    std::optional<std::size_t> indexOf(EntryId id) const;
    // Gives entry `index` the identity `id`, as after a reload of the list.
    void setId(std::size_t index, EntryId id) { entries_[index].id = id; }

    // Both return false, changing nothing, when the index is outside the list.
    bool remove(std::ptrdiff_t index);
    bool setEnabled(std::ptrdiff_t index, bool enabled);
    bool setColor(std::ptrdiff_t index, Colorref color);
    bool setOptions(std::ptrdiff_t index, MatchOptions options);

    void setAllEnabled(bool enabled);

    // The entry a row showed, after the list may have been loaded again: of the entries
    // with the row's text, the one nearest the row's place, the earlier of two as near
    // (other instances append and delete, so an entry only ever moves up). None when no
    // entry has that text any more.
    std::optional<std::size_t> find(std::u16string_view text, std::size_t place) const;

    void clear() { entries_.clear(); }

    // The state of the "All" box: checked exactly when the list is non-empty and every
    // entry is enabled.
    bool allEnabled() const;

private:
    bool contains(std::ptrdiff_t index) const;

    Entries entries_;
};

// Strips U+0020 from both ends; tabs, no-break spaces and line breaks stay.
std::u16string stripSpaces(std::u16string_view text);

// The state image that shows an entry's flag as the row's check box.
std::uint32_t stateBitsFor(bool enabled);

}  // namespace tarnwick
