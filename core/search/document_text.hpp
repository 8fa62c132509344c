#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/search/editor_view.hpp"

namespace tarnwick {

// A document's bytes read in place, through the editor's pointers to the two parts of its
// buffer around the gap: asking for the whole text as one block would move the gap, which
// costs a copy of up to the whole document. Valid until the document changes.
class DocumentText {
public:
    explicit DocumentText(const EditorView& view);

    std::int64_t length() const { return length_; }
    // The bytes from `start` up to `end`, cut to the document; copied into `scratch` only
    // when they lie on both sides of the gap. Inline: a check reads every result's bytes.
    std::string_view bytes(std::int64_t start, std::int64_t end, std::string& scratch) const {
        if (0 <= start && start <= end && end <= gap_ && before_)
            return {before_ + start, static_cast<std::size_t>(end - start)};
        if (gap_ <= start && start <= end && end <= length_ && after_)
            return {after_ + (start - gap_), static_cast<std::size_t>(end - start)};
        return acrossGap(start, end, scratch);
    }

private:
    std::string_view acrossGap(std::int64_t start, std::int64_t end, std::string& scratch) const;

    std::int64_t length_ = 0;
    std::int64_t gap_ = 0;
    const char* before_ = nullptr;  // the bytes before the gap
    const char* after_ = nullptr;   // the byte at gap_ and those after it
};

}  // namespace tarnwick
