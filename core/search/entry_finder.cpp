#include "core/search/entry_finder.hpp"

#include "host/editor_messages.hpp"

namespace tarnwick {

EntryFinder::EntryFinder(const EditorView& view, const DocumentEncoding& encoding,
                         const SearchEntry& entry, std::int32_t entryIndex)
    : view_(view),
      needle_(entry.text.empty() ? std::string() : encoding.encode(entry.text)),
      entryIndex_(entryIndex) {}

std::optional<ByteSpan> EntryFinder::next(ByteSpan target) const {
    if (needle_.empty() || target.start >= target.end) return std::nullopt;
    view_.send(SCI_SETTARGETSTART, static_cast<std::uintptr_t>(target.start));
    view_.send(SCI_SETTARGETEND, static_cast<std::uintptr_t>(target.end));
    view_.send(SCI_SETSEARCHFLAGS, 0);
    const std::intptr_t start = view_.send(SCI_SEARCHINTARGET, needle_.size(),
                                           reinterpret_cast<std::intptr_t>(needle_.data()));
    if (start < 0) return std::nullopt;
    return ByteSpan{start, view_.send(SCI_GETTARGETEND)};
}

SearchMatch EntryFinder::collect(ByteSpan found) const {
    const auto line = static_cast<std::int32_t>(
        view_.send(SCI_LINEFROMPOSITION, static_cast<std::uintptr_t>(found.start)));
    return {static_cast<std::intptr_t>(found.start),
            static_cast<std::int32_t>(found.end - found.start), entryIndex_, line};
}

}  // namespace tarnwick
