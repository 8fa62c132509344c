#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/search/document_encoding.hpp"
#include "core/search/editor_view.hpp"
#include "core/search/shared_text.hpp"
#include "core/search/text_arena.hpp"

namespace tarnwick {

// Reads the lines that hold one entry's matches, which come in document order: a line is
// fetched and decoded once for all the matches on it, which share its text. A line of L
// bytes with M matches so costs L bytes, not M times L.
class LineReader {
public:
    // A match's line and where the match starts in it.
    struct Place {
        SharedText text;          // the line without its line end
        std::int32_t column = 0;  // the match's first unit in `text`
    };

    LineReader(const EditorView& view, const DocumentEncoding& encoding, TextArena& texts)
        : view_(view), encoding_(encoding), texts_(texts) {}

    // The line that holds the match starting at byte `matchStart`. A line other than the
    // previous match's is fetched (SCI_LINELENGTH, SCI_GETLINE, SCI_POSITIONFROMLINE): its
    // text is any mix of CR and LF removed from the end, nothing from the start.
    Place read(std::int32_t line, std::intptr_t matchStart);

private:
    void fetch(std::int32_t line);
    std::int32_t columnOf(std::intptr_t matchStart);

    const EditorView& view_;
    const DocumentEncoding& encoding_;
    TextArena& texts_;
    bool fetched_ = false;
    std::int32_t line_ = 0;
    std::string buffer_;        // SCI_GETLINE writes no terminating zero: the buffer brings it
    std::string_view content_;  // the line's bytes in buffer_, without the line end
    std::intptr_t lineStart_ = 0;
    SharedText text_;
    // Where the previous match on the line started, in bytes and in units: each match
    // decodes only the bytes from there on to find its column.
    std::size_t bytesBefore_ = 0;
    std::size_t unitsBefore_ = 0;
    std::u16string units_;  // room to decode into, kept from line to line
};

}  // namespace tarnwick
