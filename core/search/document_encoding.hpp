#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/search/editor_view.hpp"
#include "core/search/shared_text.hpp"
#include "core/search/text_arena.hpp"

namespace tarnwick {

// How a document's bytes spell text: UTF-8, or the Windows code page the editor keeps an
// ANSI document in (a single-byte one such as 1252, or a double-byte one such as 932).
class DocumentEncoding {
public:
    explicit DocumentEncoding(std::uint32_t codePage) : codePage_(codePage) {}

    // Asks the view once; its 0 stands for the system's ANSI code page.
    static DocumentEncoding of(const EditorView& view);

    std::uint32_t codePage() const { return codePage_; }

    // The text as the document would hold it. Empty when the text cannot be written in
    // this code page exactly: searching for a stand-in would find unrelated text.
    std::string encode(std::u16string_view text) const;

    // The bytes' text, stored in `texts`; `units` is room to decode into, kept from call to
    // call so that decoding a line allocates nothing. Never fails: what cannot be decoded
    // becomes a replacement character.
    SharedText decode(std::string_view bytes, TextArena& texts, std::u16string& units) const;

    // How many UTF-16 units the bytes decode to, as decode gives them; `units` as there.
    std::size_t unitCount(std::string_view bytes, std::u16string& units) const;

private:
    std::uint32_t codePage_;
};

}  // namespace tarnwick
