#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/document_encoding.hpp"
#include "core/editor_view.hpp"
#include "core/shared_text.hpp"
#include "core/text_arena.hpp"

namespace tarnwick {

// Reads the lines that hold one entry's matches, in document order. Every match fetches
// its line again; a match on the line of the previous one whose bytes come back the same
// gets the same text instead of a decoded copy.
class LineReader {
public:
    LineReader(const EditorView& view, const DocumentEncoding& encoding, TextArena& texts)
        : view_(view), encoding_(encoding), texts_(texts) {}

    // Sends SCI_LINELENGTH and SCI_GETLINE; the line's text without its line end: any mix
    // of CR and LF at the end, nothing at the start.
    SharedText read(std::int32_t line);

private:
    std::string_view fetch(std::int32_t line);

    const EditorView& view_;
    const DocumentEncoding& encoding_;
    TextArena& texts_;
    std::string fetched_;   // SCI_GETLINE writes no terminating zero: the buffer brings it
    std::string previous_;  // the bytes the previous text was decoded from
    std::size_t previousSize_ = 0;
    std::int32_t previousLine_ = 0;
    SharedText previousText_;  // empty, as no bytes decode, until a line is read
    std::u16string units_;
};

}  // namespace tarnwick
