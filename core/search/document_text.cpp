#include "core/search/document_text.hpp"

#include <algorithm>

#include "host/editor_messages.hpp"

namespace tarnwick {

namespace {

const char* rangePointer(const EditorView& view, std::int64_t start, std::int64_t length) {
    if (length <= 0) return nullptr;
    return reinterpret_cast<const char*>(view.send(SCI_GETRANGEPOINTER,
                                                   static_cast<std::uintptr_t>(start),
                                                   static_cast<std::intptr_t>(length)));
}

}  // namespace

DocumentText::DocumentText(const EditorView& view)
    : length_(std::max<std::intptr_t>(view.send(SCI_GETLENGTH), 0)),
      gap_(std::clamp<std::int64_t>(view.send(SCI_GETGAPPOSITION), 0, length_)),
      before_(rangePointer(view, 0, gap_)),
      after_(rangePointer(view, gap_, length_ - gap_)) {}

std::string_view DocumentText::acrossGap(std::int64_t start, std::int64_t end,
                                         std::string& scratch) const {
    start = std::clamp<std::int64_t>(start, 0, length_);
    end = std::clamp<std::int64_t>(end, start, length_);
    // An editor that gave no pointer gives no bytes: the check then fails safe.
    if (start == end || (start < gap_ && !before_) || (end > gap_ && !after_)) return {};
    if (end <= gap_) return {before_ + start, static_cast<std::size_t>(end - start)};
    if (start >= gap_) return {after_ + (start - gap_), static_cast<std::size_t>(end - start)};
    scratch.assign(before_ + start, static_cast<std::size_t>(gap_ - start));
    scratch.append(after_, static_cast<std::size_t>(end - gap_));
    return scratch;
}

}  // namespace tarnwick
