#include "core/list/search_list.hpp"

#include <algorithm>
#include <atomic>
#include <utility>

namespace tarnwick {

EntryId newEntryId() {
    static std::atomic<EntryId> last{0};
    return ++last;
}

std::u16string stripSpaces(std::u16string_view text) {
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    const auto last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

std::uint32_t stateBitsFor(bool enabled) {
    return enabled ? kStateChecked : kStateUnchecked;
}

namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// The edit box's buffer can end between the two halves of a character beyond the BMP;
// the half left over would be shown as garbage and saved as U+FFFD.
std::u16string_view withoutCutSurrogate(std::u16string_view text) {
    if (!text.empty() && isHighSurrogate(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace

bool SearchList::add(std::u16string_view editText) {
    std::u16string text =
        stripSpaces(withoutCutSurrogate(editText.substr(0, kEntryTextBufferUnits - 1)));
    if (text.empty()) return false;
    entries_.push_back(
        SearchEntry{std::move(text), true, paletteColorFor(entries_.size()), {}, newEntryId()});
    return true;
}

void SearchList::append(SearchEntry entry) {
    if (entry.id == 0) entry.id = newEntryId();
    entries_.push_back(std::move(entry));
}

std::optional<std::size_t> SearchList::indexOf(EntryId id) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [id](const SearchEntry& entry) { return entry.id == id; });
    if (found == entries_.end()) return std::nullopt;
    return static_cast<std::size_t>(found - entries_.begin());
}

bool SearchList::contains(std::ptrdiff_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < entries_.size();
}

bool SearchList::remove(std::ptrdiff_t index) {
    if (!contains(index)) return false;
    entries_.erase(entries_.begin() + index);
    return true;
}

bool SearchList::setEnabled(std::ptrdiff_t index, bool enabled) {
    if (!contains(index)) return false;
    entries_[static_cast<std::size_t>(index)].enabled = enabled;
    return true;
}

bool SearchList::setColor(std::ptrdiff_t index, Colorref color) {
    if (!contains(index)) return false;
    entries_[static_cast<std::size_t>(index)].color = color;
    return true;
}

bool SearchList::setOptions(std::ptrdiff_t index, MatchOptions options) {
    if (!contains(index)) return false;
    entries_[static_cast<std::size_t>(index)].options = options;
    return true;
}

void SearchList::setAllEnabled(bool enabled) {
    for (SearchEntry& entry : entries_) entry.enabled = enabled;
}

std::optional<std::size_t> SearchList::find(std::u16string_view text, std::size_t place) const {
    std::optional<std::size_t> nearest;
    std::size_t nearestDistance = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].text != text) continue;
        const std::size_t distance = i < place ? place - i : i - place;
        if (nearest && distance >= nearestDistance) continue;
        nearest = i;
        nearestDistance = distance;
    }
    return nearest;
}

bool SearchList::allEnabled() const {
    return !entries_.empty() && std::all_of(entries_.begin(), entries_.end(),
                                            [](const SearchEntry& entry) { return entry.enabled; });
}

}  // namespace tarnwick
