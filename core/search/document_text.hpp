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
    // The bytes of `span`, cut to the document; copied into `scratch` only when they lie on
    // both sides of the gap.
    std::string_view bytes(std::int64_t start, std::int64_t end, std::string& scratch) const;

private:
    std::int64_t length_ = 0;
    std::int64_t gap_ = 0;
    const char* before_ = nullptr;  // the bytes before the gap
    const char* after_ = nullptr;   // the byte at gap_ and those after it
};

}  // namespace tarnwick
