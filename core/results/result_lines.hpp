#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/search/editor_view.hpp"
#include "core/search/shared_text.hpp"

namespace tarnwick {

// The lines of the results, read from their document when a row is drawn, copied or found
// again: a result holds no text, so a search of a big log costs a few bytes a result. The
// lines read last are kept, as a list asks for the same rows again and again while it is
// drawn and scrolled; they hold until the document or the results change.
class ResultLines {
public:
    struct Place {
        SharedText text;          // the line without its line end
        std::int32_t column = 0;  // the unit that byte `position` starts
    };

    // Line `line` of the document `view` shows, and where the byte `position` of the
    // document is in it. A line is fetched (SCI_GETCODEPAGE, SCI_LINELENGTH, SCI_GETLINE,
    // SCI_POSITIONFROMLINE) only when it is not kept: its text is any mix of CR and LF
    // removed from the end, nothing from the start.
    Place read(const EditorView& view, std::int32_t line, std::int64_t position);
    // The document changed, or the results did: nothing read before holds.
    void forget() { lines_.clear(); }

private:
    struct Line {
        std::int32_t number = 0;
        std::uint32_t codePage = 0;
        std::intptr_t start = 0;  // the position of its first byte
        std::string bytes;        // without the line end
        SharedText text;
    };

    const Line& kept(const EditorView& view, std::int32_t line);
    Line fetch(const EditorView& view, std::int32_t line);

    std::vector<Line> lines_;  // the last read at the back
    std::u16string units_;     // room to decode into, kept from line to line
};

}  // namespace tarnwick
